#pragma once
// Test hooks of the Windows sockets: a look at every connect before it is
// made, failures on command, and the figures a leak check needs.

#include "win/winsock.h"

namespace tavo::test {

// Called with the address of every connect before it is made; it may change
// the address (to reach a stand-in) or only note it. Null removes it.
using ConnectKrog = void (*)(SOCKET s, struct sockaddr_in *adresse);
void SaetConnectKrog(ConnectKrog krog);

// The next call of the named function ("WSAStartup", "socket", "connect",
// "send", "recv", "gethostbyname") fails with this Windows error number.
void NetFejlNaeste(const char *funktion, int fejl);

// Sockets open now, and the WSAStartup count.
int AabneSockets();
int WinsockStartTal();

}  // namespace tavo::test
