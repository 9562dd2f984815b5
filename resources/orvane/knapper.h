#pragma once
// Orvane's button pictures: the caption button strips, registered as bitmap
// resources of the module "orvane".

// Registers the strips once; later calls do nothing.
void RegistrerKnapBilleder();
