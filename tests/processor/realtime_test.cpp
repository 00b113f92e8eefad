// process must not touch the heap: every allocation made while a block is
// processed fails this test.

#include "hostparameterchanges.h"
#include "testableprocessor.h"
#include "teststreams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

using namespace ord3ltest;

namespace {

std::atomic<bool> gWatching {false};
std::atomic<int> gHeapCalls {0};

void* allocate (std::size_t size)
{
	if (gWatching.load (std::memory_order_relaxed))
		gHeapCalls.fetch_add (1, std::memory_order_relaxed);
	if (void* p = std::malloc (size ? size : 1))
		return p;
	throw std::bad_alloc ();
}

void release (void* p)
{
	if (p && gWatching.load (std::memory_order_relaxed))
		gHeapCalls.fetch_add (1, std::memory_order_relaxed);
	std::free (p);
}

} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
	try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
	try { return allocate (size); } catch (...) { return nullptr; }
}
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, std::size_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t) noexcept { release (p); }

TEST (RealTime, ProcessTouchesNoHeapOnAnyPath)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (48000.0, 512), kResultOk);

	// Everything a block needs is made before watching starts.
	auto changes = owned (new HostParameterChanges ());
	for (ParamID tag = 0; tag <= 27; ++tag)
		changes->add (tag, {{0, 0.8}, {100, 0.3}});
	TestBlock<float> f32 (512);
	TestBlock<double> f64 (512, true);
	TestBlock<float> silent (512);
	silent.in.silenceFlags = 3;
	auto bypass = owned (new HostParameterChanges ());
	bypass->add (kBypassId, {{0, 1.0}});
	// Every band running, then moved (every section carries its memories over), then to a
	// hair above 0 dB (memories held at their bound, carried output scaled down).
	auto running = owned (new HostParameterChanges ());
	auto moved = owned (new HostParameterChanges ());
	auto nearFlat = owned (new HostParameterChanges ());
	for (int32 band = 0; band < kNumEqBands; ++band)
	{
		running->add (kGainLFId + 4 * band, {{0, 0.2 + 0.1 * band}});
		running->add (kFreqLFId + 4 * band, {{0, 0.1}});
		moved->add (kGainLFId + 4 * band, {{0, 0.9 - 0.1 * band}});
		moved->add (kFreqLFId + 4 * band, {{0, 0.0}});
		nearFlat->add (kGainLFId + 4 * band, {{0, 0.5 + 0x1p-24}});
	}
	for (int32 j = 0; j < 512; ++j)
		f32.inL[j] = f32.inR[j] = f64.inL[j] = f64.inR[j] = (j % 7) * 0.1 - 0.3;
	f32.data.inputParameterChanges = running;
	p->process (f32.data);
	f32.data.inputParameterChanges = nullptr;
	p->process (f32.data);

	PlugState s = makeInitialPlugState ();
	s.bands[kBandMF4].gainNorm = 0.1;
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);

	gWatching = true;
	f32.data.inputParameterChanges = moved;
	p->process (f32.data);
	f64.data.inputParameterChanges = nearFlat;
	p->process (f64.data);
	gWatching = false;
	for (int32 i = 0; i < PlugProcessor::kNumFilters; ++i)
	{
		EXPECT_EQ (p->sectionRan[i], 1) << "section " << i;
		EXPECT_NE (p->filterW1[i], 0.0) << "section " << i;
	}
	ASSERT_EQ (p->setState (stream), kResultOk); // handed over to the next block

	gWatching = true;
	f64.data.inputParameterChanges = nullptr;
	f32.data.inputParameterChanges = changes;
	p->process (f32.data);
	p->process (f64.data);
	p->process (silent.data);
	f32.data.inputParameterChanges = bypass;
	p->process (f32.data);
	gWatching = false;

	EXPECT_EQ (gHeapCalls.load (), 0);
	EXPECT_EQ (p->plugState.bands[kBandMF4].gainNorm, 0.3);
	p->setActive (false);
}
