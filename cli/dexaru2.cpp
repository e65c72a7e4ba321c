#include <cstdio>

int main()
{
    std::puts("dexaru2: not built yet");
    return 0;
}
