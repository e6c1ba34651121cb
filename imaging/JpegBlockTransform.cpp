#include "JpegForwardDct.h"

#include <cstring>

namespace {

// Eight lanes, one per row (first pass) or per column (second pass): each
// butterfly step then transforms all eight lines at once.
using Lanes = int32_t __attribute__((vector_size(32)));

inline Lanes Multiply(Lanes x, int32_t constant)
{
    return (x * constant) >> 8;
}

inline Lanes Load(const int32_t* source)
{
    Lanes lanes;
    std::memcpy(&lanes, source, sizeof lanes);
    return lanes;
}

inline void Store(int32_t* target, Lanes lanes)
{
    std::memcpy(target, &lanes, sizeof lanes);
}

// One 1-D transform of eight lines; d[k] holds input k of every line.
void Transform(Lanes d[8])
{
    const Lanes tmp0 = d[0] + d[7], tmp7 = d[0] - d[7];
    const Lanes tmp1 = d[1] + d[6], tmp6 = d[1] - d[6];
    const Lanes tmp2 = d[2] + d[5], tmp5 = d[2] - d[5];
    const Lanes tmp3 = d[3] + d[4], tmp4 = d[3] - d[4];

    const Lanes even10 = tmp0 + tmp3, even13 = tmp0 - tmp3;
    const Lanes even11 = tmp1 + tmp2, even12 = tmp1 - tmp2;
    d[0] = even10 + even11;
    d[4] = even10 - even11;
    const Lanes z1 = Multiply(even12 + even13, 181);
    d[2] = even13 + z1;
    d[6] = even13 - z1;

    const Lanes odd10 = tmp4 + tmp5, odd11 = tmp5 + tmp6, odd12 = tmp6 + tmp7;
    const Lanes z5 = Multiply(odd10 - odd12, 98);
    const Lanes z2 = Multiply(odd10, 139) + z5;
    const Lanes z4 = Multiply(odd12, 334) + z5;
    const Lanes z3 = Multiply(odd11, 181);
    const Lanes z11 = tmp7 + z3, z13 = tmp7 - z3;
    d[5] = z13 + z2;
    d[3] = z13 - z2;
    d[1] = z11 + z4;
    d[7] = z11 - z4;
}

void Transpose(const int32_t* source, int32_t* target)
{
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            target[col * 8 + row] = source[row * 8 + col];
}

} // namespace

void ForwardDct(const int32_t* samplesByColumn, int32_t* coefficients)
{
    // Pass 1: lane r is picture row r, d[k] its k-th sample.
    Lanes d[8];
    for (int k = 0; k < 8; ++k)
        d[k] = Load(samplesByColumn + k * 8);
    Transform(d);
    alignas(32) int32_t rowOutputsByColumn[64];
    for (int k = 0; k < 8; ++k)
        Store(rowOutputsByColumn + k * 8, d[k]);

    // Pass 2: lane c is column c, d[k] the k-th row pass output of each column.
    alignas(32) int32_t rowOutputs[64];
    Transpose(rowOutputsByColumn, rowOutputs);
    for (int k = 0; k < 8; ++k)
        d[k] = Load(rowOutputs + k * 8);
    Transform(d);
    for (int k = 0; k < 8; ++k)
        Store(coefficients + k * 8, d[k]);
}
