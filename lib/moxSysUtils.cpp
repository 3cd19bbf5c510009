#include "lib/moxSysUtils.h"

#include <algorithm>
#include <cstring>

#include "vcl/classes/ClassesConsts.h"

int IndexOfPointer(Pointer P, const Pointer* List, int Count) {
    for (int i = 0; i < Count; ++i)
        if (List[i] == P) return i;
    return -1;
}

int CompareBytes(const void* P1, const void* P2, int Length) {
    if (Length <= 0) return 0;
    return std::memcmp(P1, P2, size_t(Length));
}

void ZeroBytes(void* P, int Length) {
    if (Length > 0) std::memset(P, 0, size_t(Length));
}

int MaxInteger(int A, int B) {
    return A > B ? A : B;
}
int MinInteger(int A, int B) {
    return A < B ? A : B;
}

int MaxOfIntegers(std::span<const int> Values) {
    if (Values.empty()) throw EListError(ClassesConsts::Fmt(ClassesConsts::SListIndexError, 0));
    return *std::max_element(Values.begin(), Values.end());
}

int MaxOfIntegers(std::initializer_list<int> Values) {
    return MaxOfIntegers(std::span<const int>(Values.begin(), Values.size()));
}

double MaxFloat(double A, double B) {
    return A > B ? A : B;
}
double MinFloat(double A, double B) {
    return A < B ? A : B;
}
Extended MaxExtended(Extended A, Extended B) {
    return A > B ? A : B;
}
Extended MinExtended(Extended A, Extended B) {
    return A < B ? A : B;
}
