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
	PlugState s = makeInitialPlugState ();
	s.bands[kBandMF4].gainNorm = 0.1;
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (p->setState (stream), kResultOk); // handed over to the next block

	gWatching = true;
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
