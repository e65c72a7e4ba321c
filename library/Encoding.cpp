#include "Encoding.h"

int Encoding::convert(const char*, char*, int, const char*, char**, int*) { return -1; }
uint16_t EUCToUNICODE(uint16_t) { return 0; }
