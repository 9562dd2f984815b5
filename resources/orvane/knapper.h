#pragma once
// Orvane's button pictures: the caption button strips and the sort
// column's arrows (111 ascending, 112 descending), registered as bitmap
// resources of the module "orvane".

// Registers the pictures once; later calls do nothing.
void RegistrerKnapBilleder();
