#pragma once

// The gliding reads written once for any instruction set; GlidingReads.cpp builds the SSE2 variant
// every x86-64 CPU runs and GlidingReadsAvx2.cpp the AVX2 one. Include it only there: everything
// here is instantiated per instruction set, so no function compiled for the wider one can stand in
// for a baseline one at link time.
#include "GlidingReads.h"

#include <xsimd/xsimd.hpp>

#include <cstdint>
#include <iterator>

namespace vorl::gliding_reads
{
// catmullRom's operations in its order, one read per lane.
template <class Floats> Floats catmullRomLanes(Floats a, Floats b, Floats c, Floats d, Floats t) noexcept
{
    const Floats half(0.5f);
    const Floats c1 = (c - a) * half;
    const Floats v = b - c;
    const Floats w = c1 + v;
    const Floats k = w + v + (d - b) * half;
    const Floats m = w + k;
    return ((k * t - m) * t + c1) * t + b;
}

// Four lanes' windows of neighbours [a b c d], one per vector (or per half of a vector: each half
// on its own), turned into one vector per neighbour; the reads then follow.
template <class Floats> Floats readWindows(Floats w0, Floats w1, Floats w2, Floats w3, Floats t) noexcept
{
    const Floats ab02 = xsimd::zip_lo(w0, w2), cd02 = xsimd::zip_hi(w0, w2);
    const Floats ab13 = xsimd::zip_lo(w1, w3), cd13 = xsimd::zip_hi(w1, w3);
    return catmullRomLanes(xsimd::zip_lo(ab02, ab13), xsimd::zip_hi(ab02, ab13), xsimd::zip_lo(cd02, cd13),
                           xsimd::zip_hi(cd02, cd13), t);
}

// The reads at scattered ring indexes, one per lane: each lane's four neighbours come in one
// load. With eight lanes a load also brings the four frames after the window, so the ring must
// reach that far past it (and as far before it, for the windows loaded into upper halves).
template <class Floats>
Floats readScattered(const float* ring, const int32_t* indexes, bool roomAround, Floats t) noexcept
{
    constexpr int kLanes = static_cast<int>(Floats::size);
    if constexpr (kLanes == 4)
    {
        return readWindows(
            Floats::load_unaligned(ring + indexes[0] - 1), Floats::load_unaligned(ring + indexes[1] - 1),
            Floats::load_unaligned(ring + indexes[2] - 1), Floats::load_unaligned(ring + indexes[3] - 1), t);
    }
    else
    {
        if constexpr (kLanes == 8)
            if (roomAround)
            {
                // Lane l's window in the lower half and lane l + 4's in the upper one (in-lane zips
                // work on each half on its own).
                using UpperHalf =
                    xsimd::batch_bool_constant<Floats, false, false, false, false, true, true, true, true>;
                const auto pair = [&](int l)
                {
                    return xsimd::select(UpperHalf{}, Floats::load_unaligned(ring + indexes[l + 4] - 5),
                                         Floats::load_unaligned(ring + indexes[l] - 1));
                };
                return readWindows(pair(0), pair(1), pair(2), pair(3), t);
            }
        // Otherwise (and with sixteen lanes) the windows are gathered frame by frame.
        alignas(Floats::arch_type::alignment()) float neighbours[4][kLanes];
        for (int l = 0; l < kLanes; ++l)
        {
            const float* x = ring + indexes[l];
            neighbours[0][l] = x[-1];
            neighbours[1][l] = x[0];
            neighbours[2][l] = x[1];
            neighbours[3][l] = x[2];
        }
        return catmullRomLanes(Floats::load_aligned(neighbours[0]), Floats::load_aligned(neighbours[1]),
                               Floats::load_aligned(neighbours[2]), Floats::load_aligned(neighbours[3]), t);
    }
}

// Whether whole vectors loaded around both runs stay within the frames a ring may be read at
// (-1 to length + 2): each run's loads reach from two frames before its base to Lanes + 2 after
// it, whichever lanes take them.
// A template like everything here, so each instruction set has its own copy.
template <int Lanes> constexpr bool twoRunsFit(int first, int last, int length) noexcept
{
    return first >= 1 && last >= 1 && first <= length - Lanes - 1 && last <= length - Lanes - 1;
}

// The reads of lanes whose windows start at x + lane, or at y + lane where fromLast is set.
template <class Floats>
Floats readTwoRuns(const float* x, const float* y, typename Floats::batch_bool_type fromLast, Floats t) noexcept
{
    const auto neighbour = [&](int k)
    { return xsimd::select(fromLast, Floats::load_unaligned(y + k), Floats::load_unaligned(x + k)); };
    return catmullRomLanes(neighbour(-1), neighbour(0), neighbour(1), neighbour(2), t);
}

// The same with y = x + Skip: the two runs' neighbours then come from 4 + |Skip| loads, not 8.
template <int Skip, class Floats>
Floats readTwoRuns(const float* x, typename Floats::batch_bool_type fromLast, Floats t) noexcept
{
    constexpr int kFirst = (Skip < 0 ? Skip : 0) - 1;
    Floats span[4 + (Skip < 0 ? -Skip : Skip)];
    for (int i = 0; i < static_cast<int>(std::size(span)); ++i)
        span[i] = Floats::load_unaligned(x + kFirst + i);
    const auto neighbour = [&](int k) { return xsimd::select(fromLast, span[k + Skip - kFirst], span[k - kFirst]); };
    return catmullRomLanes(neighbour(-1), neighbour(0), neighbour(1), neighbour(2), t);
}

// Reads at the same positions from Rings rings (the channels of one line) into as many rows.
template <class Arch, int Rings>
void readRuns(const float* const (&rings)[Rings], int length, long firstPosition, const float* delays, int n,
              float* const (&outs)[Rings]) noexcept
{
    using Floats = xsimd::batch<float, Arch>;
    using Ints = xsimd::batch<int32_t, Arch>;
    constexpr int kLanes = static_cast<int>(Floats::size);
    alignas(Arch::alignment()) int32_t laneOffsets[kLanes];
    for (int l = 0; l < kLanes; ++l)
        laneOffsets[l] = l;
    const Ints iota = Ints::load_aligned(laneOffsets);
    const Floats zero(0.0f);
    // Below one sample the fraction of a delay can be finer than the float grid of the read
    // position's fraction, and from 2^24 on floats no longer hold every integer: there the
    // scalar read decides.
    const Floats lowest(1.0f), beyond(16777216.0f);
    // Positions stay far inside int32: the ring holds seconds of audio.
    const auto first = static_cast<int32_t>(firstPosition);
    int j = 0;
    for (; j + kLanes <= n; j += kLanes)
    {
        const Floats d = Floats::load_unaligned(delays + j);
        if (xsimd::all(d >= lowest && d < beyond))
        {
            // position = frame - d = (frame - ceil(d)) + (ceil(d) - d): the index is the frame
            // before the position and t the rest, both exact (from one sample on, ceil(d) - d
            // loses nothing), as the scalar read finds them.
            const Floats whole = xsimd::ceil(d);
            Ints index = (Ints(first + j) + iota) - xsimd::to_int(whole);
            index = xsimd::select(index < Ints(0), index + Ints(length), index);
            if (xsimd::all(index >= Ints(0) && index < Ints(length)))
            {
                const Floats t = whole - d;
                alignas(Arch::alignment()) int32_t indexes[kLanes];
                index.store_aligned(indexes);
                // Each lane's index less its lane number: one value where the frames lie side by
                // side, two where the delay skipped a frame (or went back one) inside the vector.
                const Ints base = index - iota;
                const int i0 = indexes[0];
                const int iLast = indexes[kLanes - 1] - (kLanes - 1);
                const auto fromFirst = base == Ints(i0);
                if (xsimd::all(fromFirst))
                {
                    // Frames side by side (the delay moved by less than a sample here): one load
                    // per neighbour for all lanes.
                    for (int r = 0; r < Rings; ++r)
                    {
                        const float* x = rings[r] + i0;
                        catmullRomLanes(Floats::load_unaligned(x - 1), Floats::load_unaligned(x),
                                        Floats::load_unaligned(x + 1), Floats::load_unaligned(x + 2), t)
                            .store_unaligned(outs[r] + j);
                    }
                }
                else if (xsimd::all(fromFirst || base == Ints(iLast)) && twoRunsFit<kLanes>(i0, iLast, length))
                {
                    // Two runs of frames side by side: each lane takes its neighbours from its
                    // own run. The delay mostly moves by one frame, and then the two runs share
                    // most of their loads.
                    const auto fromLast = xsimd::to_float(xsimd::select(fromFirst, Ints(0), Ints(-1))) < zero;
                    for (int r = 0; r < Rings; ++r)
                    {
                        const float* x = rings[r] + i0;
                        Floats read;
                        if (iLast == i0 + 1)
                            read = readTwoRuns<1>(x, fromLast, t);
                        else if (iLast == i0 - 1)
                            read = readTwoRuns<-1>(x, fromLast, t);
                        else
                            read = readTwoRuns(x, rings[r] + iLast, fromLast, t);
                        read.store_unaligned(outs[r] + j);
                    }
                }
                else
                {
                    const bool roomAround = xsimd::all(index >= Ints(4) && index <= Ints(length - 4));
                    for (int r = 0; r < Rings; ++r)
                        readScattered(rings[r], indexes, roomAround, t).store_unaligned(outs[r] + j);
                }
                continue;
            }
        }
        for (int r = 0; r < Rings; ++r)
            for (int l = 0; l < kLanes; ++l)
                outs[r][j + l] = readGlidingOne(rings[r], length, firstPosition + j + l, delays[j + l]);
    }
    for (; j < n; ++j)
        for (int r = 0; r < Rings; ++r)
            outs[r][j] = readGlidingOne(rings[r], length, firstPosition + j, delays[j]);
}

// The variants' entry: both channels when ringR is given, else the left one alone.
template <class Arch>
void readRunsFor(const float* ringL, const float* ringR, int length, long firstPosition, const float* delays,
                 int n, float* outL, float* outR) noexcept
{
    if (ringR != nullptr)
        readRuns<Arch, 2>({ringL, ringR}, length, firstPosition, delays, n, {outL, outR});
    else
        readRuns<Arch, 1>({ringL}, length, firstPosition, delays, n, {outL});
}
} // namespace vorl::gliding_reads
