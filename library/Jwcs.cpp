#include "Jwcs.h"

int Jwcs::cmp(const wchar_t* left, const wchar_t* right, JwcsCase) { return wcscmp(left, right); }
int Jwcs::xcmp(const wchar_t* target, const wchar_t* wildcardExpression, JwcsCase)
{
    return wcscmp(target, wildcardExpression) == 0 ? 0 : -1;
}
