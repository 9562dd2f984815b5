// Does nothing: it is only the file the main program's version block sits in.
int main() { return 0; }
