#include "equaliserpath.h"

// ORD3L_DSP_NO_SIMD forces the portable lanes (used to test them on x86-64).
#if (defined(__SSE2__) || defined(_M_X64)) && !defined(ORD3L_DSP_NO_SIMD)
#define ORD3L_DSP_SSE2 1
#include <emmintrin.h>
#else
#define ORD3L_DSP_SSE2 0
#endif

#if defined(__GNUC__) || defined(__clang__)
#define ORD3L_FORCE_INLINE inline __attribute__ ((always_inline))
#define ORD3L_UNROLL _Pragma ("GCC unroll 8")
#else
#define ORD3L_FORCE_INLINE inline
#define ORD3L_UNROLL
#endif

namespace Steinberg {
namespace Vst {

namespace {

// Added to every section input so that the memories settle at small non-zero
// values on silence instead of decaying into denormals.
constexpr double kAntiDenormal = 1e-18;

ORD3L_FORCE_INLINE bool sectionRuns (const EqualiserPathState& st, int32_t k)
{
	return ::Steinberg::Vst::sectionRuns (st.gainDb[k], st.on[k], st.usable == nullptr ? uint8_t (1) : st.usable[k]);
}

//------------------------------------------------------------------------
// Two lanes, low = left channel, high = right channel. Every operation is one
// IEEE double operation per lane, so a lane gives exactly the result of the
// scalar code with the same operands in the same order.
#if ORD3L_DSP_SSE2

struct Lanes
{
	__m128d v;
};
struct LaneMask
{
	__m128d v;
};

ORD3L_FORCE_INLINE Lanes lanes (double l, double r) { return {_mm_set_pd (r, l)}; }
ORD3L_FORCE_INLINE Lanes splat (double x) { return {_mm_set1_pd (x)}; }
ORD3L_FORCE_INLINE Lanes operator+ (Lanes a, Lanes b) { return {_mm_add_pd (a.v, b.v)}; }
ORD3L_FORCE_INLINE Lanes operator- (Lanes a, Lanes b) { return {_mm_sub_pd (a.v, b.v)}; }
ORD3L_FORCE_INLINE Lanes operator* (Lanes a, Lanes b) { return {_mm_mul_pd (a.v, b.v)}; }
ORD3L_FORCE_INLINE LaneMask laneMask (bool l, bool r)
{
	const __m128i m = _mm_set_epi64x (r ? -1 : 0, l ? -1 : 0);
	return {_mm_castsi128_pd (m)};
}
// Bitwise choice: the running lane's new value, the other lane's old one.
ORD3L_FORCE_INLINE Lanes select (LaneMask m, Lanes ifSet, Lanes ifClear)
{
	return {_mm_or_pd (_mm_and_pd (m.v, ifSet.v), _mm_andnot_pd (m.v, ifClear.v))};
}
ORD3L_FORCE_INLINE double left (Lanes a) { return _mm_cvtsd_f64 (a.v); }
ORD3L_FORCE_INLINE double right (Lanes a) { return _mm_cvtsd_f64 (_mm_unpackhi_pd (a.v, a.v)); }

ORD3L_FORCE_INLINE Lanes loadFrame (const double* l, const double* r)
{
	return {_mm_loadh_pd (_mm_load_sd (l), r)};
}
ORD3L_FORCE_INLINE Lanes loadFrame (const float* l, const float* r)
{
	// float to double is exact.
	return {_mm_cvtps_pd (_mm_unpacklo_ps (_mm_load_ss (l), _mm_load_ss (r)))};
}
ORD3L_FORCE_INLINE void storeFrame (double* l, double* r, Lanes x)
{
	_mm_store_sd (l, x.v);
	_mm_storeh_pd (r, x.v);
}
ORD3L_FORCE_INLINE void storeFrame (float* l, float* r, Lanes x)
{
	// Rounds to nearest, as the scalar conversion does.
	const __m128 f = _mm_cvtpd_ps (x.v);
	_mm_store_ss (l, f);
	_mm_store_ss (r, _mm_shuffle_ps (f, f, _MM_SHUFFLE (1, 1, 1, 1)));
}

#else // portable scalar lanes

struct Lanes
{
	double l, r;
};
struct LaneMask
{
	bool l, r;
};

ORD3L_FORCE_INLINE Lanes lanes (double l, double r) { return {l, r}; }
ORD3L_FORCE_INLINE Lanes splat (double x) { return {x, x}; }
ORD3L_FORCE_INLINE Lanes operator+ (Lanes a, Lanes b) { return {a.l + b.l, a.r + b.r}; }
ORD3L_FORCE_INLINE Lanes operator- (Lanes a, Lanes b) { return {a.l - b.l, a.r - b.r}; }
ORD3L_FORCE_INLINE Lanes operator* (Lanes a, Lanes b) { return {a.l * b.l, a.r * b.r}; }
ORD3L_FORCE_INLINE LaneMask laneMask (bool l, bool r) { return {l, r}; }
ORD3L_FORCE_INLINE Lanes select (LaneMask m, Lanes ifSet, Lanes ifClear)
{
	return {m.l ? ifSet.l : ifClear.l, m.r ? ifSet.r : ifClear.r};
}
ORD3L_FORCE_INLINE double left (Lanes a) { return a.l; }
ORD3L_FORCE_INLINE double right (Lanes a) { return a.r; }

template <typename Sample>
ORD3L_FORCE_INLINE Lanes loadFrame (const Sample* l, const Sample* r)
{
	return {static_cast<double> (*l), static_cast<double> (*r)};
}
template <typename Sample>
ORD3L_FORCE_INLINE void storeFrame (Sample* l, Sample* r, Lanes x)
{
	*l = static_cast<Sample> (x.l);
	*r = static_cast<Sample> (x.r);
}

#endif

//------------------------------------------------------------------------
// One band of both channels as the fused loop sees it.
struct Stage
{
	Lanes b0, b1, b2, a1, a2;
	LaneMask runs; // used only when the two channels of a band differ
	int32_t band;
};

// One section on one frame of both channels, exactly the reference loop's
// operations: w = (x + offset) - (a1 w1 + a2 w2), y = b0 w + (b1 w1 + b2 w2).
// In masked stages a lane that does not run passes x through and keeps its
// memories.
template <bool masked>
ORD3L_FORCE_INLINE Lanes runSection (const Stage& sg, Lanes x, Lanes& w1, Lanes& w2, Lanes offset)
{
	const Lanes w = (x + offset) - (sg.a1 * w1 + sg.a2 * w2);
	const Lanes y = sg.b0 * w + (sg.b1 * w1 + sg.b2 * w2);
	if (masked)
	{
		const Lanes passed = select (sg.runs, y, x);
		w2 = select (sg.runs, w1, w2);
		w1 = select (sg.runs, w, w1);
		return passed;
	}
	w2 = w1;
	w1 = w;
	return y;
}

// The level: one smoother step per frame, in frame order, then the product.
struct Level
{
	double s, c, drive;
};

// One step t of the skewed pipeline: stage k works on frame t - k, taking the
// output that stage k - 1 left in carry[k] during step t - 1. The stages of a
// step are thus independent of each other and overlap in the CPU, where a
// frame-by-frame loop would wait for each section's result in turn. Each
// section still sees its frames in order, and each frame the sections in band
// order, so every result is the same to the bit. Stages run last to first so
// that a carry is consumed before it is replaced. `checked` steps fill and
// drain the pipeline: stages whose frame lies outside the block idle.
template <int numStages, bool masked, bool checked, typename Sample>
ORD3L_FORCE_INLINE void pipelineStep (int32_t t, int32_t numSamples, const Stage* stages,
                                      Lanes* w1, Lanes* w2, Lanes* carry, Lanes offset,
                                      const Sample* inL, const Sample* inR, Sample* outL,
                                      Sample* outR, Level& level)
{
	ORD3L_UNROLL
	for (int k = numStages - 1; k >= 0; --k)
	{
		const int32_t j = t - k;
		if (checked && (j < 0 || j >= numSamples))
			continue;
		const Lanes x = k == 0 ? loadFrame (inL + j, inR + j) : carry[k];
		const Lanes y = runSection<masked> (stages[k], x, w1[k], w2[k], offset);
		if (k == numStages - 1)
		{
			level.s = level.s * level.c + level.drive;
			storeFrame (outL + j, outR + j, y * splat (level.s));
		}
		else
			carry[k + 1] = y;
	}
}

// The fused loop: load, all running sections and the level in one pass over
// the block, with the memories of the numStages bands kept in registers.
template <int numStages, bool masked, typename Sample>
void runFused (const Stage* stages, const EqualiserPathState& st, const Sample* inL,
               const Sample* inR, Sample* outL, Sample* outR, int32_t numSamples)
{
	constexpr int kSlots = numStages > 0 ? numStages : 1;
	Lanes w1[kSlots];
	Lanes w2[kSlots];
	Lanes carry[kSlots];
	ORD3L_UNROLL
	for (int i = 0; i < numStages; ++i)
	{
		const int32_t b = stages[i].band;
		w1[i] = lanes (st.w1[b], st.w1[b + kBandsPerChannel]);
		w2[i] = lanes (st.w2[b], st.w2[b + kBandsPerChannel]);
		carry[i] = splat (0.0);
	}

	const Lanes offset = splat (kAntiDenormal);
	// The smoother's input term T * (1 - c) is the same product at every frame.
	Level level {*st.smootherState, st.smoothingFeedbackCoef,
	             st.outputGainTarget * st.smoothingInCoef};

	if (numStages == 0)
	{
		for (int32_t j = 0; j < numSamples; ++j)
		{
			level.s = level.s * level.c + level.drive;
			storeFrame (outL + j, outR + j, loadFrame (inL + j, inR + j) * splat (level.s));
		}
	}
	else
	{
		// Steps 0 .. numStages - 2 fill the pipeline, steps from numSamples on
		// drain it; in between every stage has a frame.
		const int32_t steps = numSamples + numStages - 1;
		const int32_t fullFrom = numStages - 1;
		int32_t t = 0;
		for (; t < fullFrom; ++t)
			pipelineStep<numStages, masked, true> (t, numSamples, stages, w1, w2, carry, offset,
			                                       inL, inR, outL, outR, level);
		for (; t < numSamples; ++t)
			pipelineStep<numStages, masked, false> (t, numSamples, stages, w1, w2, carry, offset,
			                                        inL, inR, outL, outR, level);
		for (; t < steps; ++t)
			pipelineStep<numStages, masked, true> (t, numSamples, stages, w1, w2, carry, offset,
			                                       inL, inR, outL, outR, level);
	}

	*st.smootherState = level.s;
	ORD3L_UNROLL
	for (int i = 0; i < numStages; ++i)
	{
		const int32_t b = stages[i].band;
		st.w1[b] = left (w1[i]);
		st.w1[b + kBandsPerChannel] = right (w1[i]);
		st.w2[b] = left (w2[i]);
		st.w2[b + kBandsPerChannel] = right (w2[i]);
	}
}

template <bool masked, typename Sample>
void dispatchFused (int numStages, const Stage* stages, const EqualiserPathState& st,
                    const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                    int32_t numSamples)
{
	switch (numStages)
	{
		case 0: runFused<0, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		case 1: runFused<1, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		case 2: runFused<2, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		case 3: runFused<3, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		case 4: runFused<4, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		case 5: runFused<5, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
		default: runFused<6, masked> (stages, st, inL, inR, outL, outR, numSamples); break;
	}
}

// The fused loop never writes an output frame before it has read the input
// frame of the same index. That is safe unless an output range starts after
// an input range that it overlaps: it could then overwrite input frames not
// yet read.
template <typename Sample>
bool fusedIsSafe (Sample* const* in, Sample* const* out, int32_t numSamples)
{
	const auto bytes = static_cast<uintptr_t> (numSamples) * sizeof (Sample);
	for (int o = 0; o < 2; ++o)
	{
		const auto ob = reinterpret_cast<uintptr_t> (out[o]);
		for (int i = 0; i < 2; ++i)
		{
			const auto ib = reinterpret_cast<uintptr_t> (in[i]);
			if (ob > ib && ob < ib + bytes)
				return false;
		}
	}
	return true;
}

} // namespace

//------------------------------------------------------------------------
template <typename Sample>
void processEqualiserPathLiteral (const EqualiserPathState& st, double* workL, double* workR,
                                  Sample* const* in, Sample* const* out, int32_t numSamples)
{
	if (numSamples <= 0)
		return;

	// Load the whole block first, so out may be the same memory as in.
	const Sample* inL = in[0];
	const Sample* inR = in[1];
	for (int32_t j = 0; j < numSamples; ++j)
	{
		workL[j] = static_cast<double> (inL[j]);
		workR[j] = static_cast<double> (inR[j]);
	}

	for (int32_t band = 0; band < kBandsPerChannel; ++band)
	{
		for (int32_t channel = 0; channel < 2; ++channel)
		{
			const int32_t k = channel * kBandsPerChannel + band;
			if (!sectionRuns (st, k))
				continue;
			double* work = channel == 0 ? workL : workR;
			const double b0 = st.b0[k];
			const double b1 = st.b1[k];
			const double b2 = st.b2[k];
			const double a1 = st.a1[k];
			const double a2 = st.a2[k];
			double w1 = st.w1[k];
			double w2 = st.w2[k];
			for (int32_t j = 0; j < numSamples; ++j)
			{
				const double x = work[j];
				const double w = (x + kAntiDenormal) - (a1 * w1 + a2 * w2);
				const double y = b0 * w + (b1 * w1 + b2 * w2);
				work[j] = y;
				w2 = w1;
				w1 = w;
			}
			st.w1[k] = w1;
			st.w2[k] = w2;
		}
	}

	const double c = st.smoothingFeedbackCoef;
	const double oneMinusC = st.smoothingInCoef;
	const double target = st.outputGainTarget;
	Sample* outL = out[0];
	Sample* outR = out[1];
	for (int32_t j = 0; j < numSamples; ++j)
	{
		const double s = *st.smootherState * c + target * oneMinusC;
		*st.smootherState = s;
		outL[j] = static_cast<Sample> (workL[j] * s);
		outR[j] = static_cast<Sample> (workR[j] * s);
	}
}

//------------------------------------------------------------------------
template <typename Sample>
void processEqualiserPath (const EqualiserPathState& st, double* workL, double* workR,
                           Sample* const* in, Sample* const* out, int32_t numSamples)
{
	if (numSamples <= 0)
		return;
	if (!fusedIsSafe (in, out, numSamples))
	{
		// Outputs shifted into their inputs: only a whole-block load helps.
		processEqualiserPathLiteral (st, workL, workR, in, out, numSamples);
		return;
	}

	Stage stages[kBandsPerChannel];
	int numStages = 0;
	bool masked = false;
	for (int32_t band = 0; band < kBandsPerChannel; ++band)
	{
		const int32_t kl = band;
		const int32_t kr = band + kBandsPerChannel;
		const bool runL = sectionRuns (st, kl);
		const bool runR = sectionRuns (st, kr);
		if (!runL && !runR)
			continue;
		Stage& sg = stages[numStages++];
		sg.band = band;
		sg.runs = laneMask (runL, runR);
		masked = masked || runL != runR;
		// A lane that does not run gets zero coefficients: its results are
		// discarded, and zeros keep NaN or huge values of an unusable design
		// out of the arithmetic.
		sg.b0 = lanes (runL ? st.b0[kl] : 0.0, runR ? st.b0[kr] : 0.0);
		sg.b1 = lanes (runL ? st.b1[kl] : 0.0, runR ? st.b1[kr] : 0.0);
		sg.b2 = lanes (runL ? st.b2[kl] : 0.0, runR ? st.b2[kr] : 0.0);
		sg.a1 = lanes (runL ? st.a1[kl] : 0.0, runR ? st.a1[kr] : 0.0);
		sg.a2 = lanes (runL ? st.a2[kl] : 0.0, runR ? st.a2[kr] : 0.0);
	}

	if (masked)
		dispatchFused<true> (numStages, stages, st, in[0], in[1], out[0], out[1], numSamples);
	else
		dispatchFused<false> (numStages, stages, st, in[0], in[1], out[0], out[1], numSamples);
}

template void processEqualiserPath<float> (const EqualiserPathState&, double*, double*,
                                           float* const*, float* const*, int32_t);
template void processEqualiserPath<double> (const EqualiserPathState&, double*, double*,
                                            double* const*, double* const*, int32_t);
template void processEqualiserPathLiteral<float> (const EqualiserPathState&, double*, double*,
                                                  float* const*, float* const*, int32_t);
template void processEqualiserPathLiteral<double> (const EqualiserPathState&, double*, double*,
                                                   double* const*, double* const*, int32_t);

} // namespace Vst
} // namespace Steinberg
