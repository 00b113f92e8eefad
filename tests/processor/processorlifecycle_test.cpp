#include "testableprocessor.h"
#include "teststreams.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <new>

using namespace ord3ltest;

namespace {

// Lets a test make every nothrow array allocation fail.
bool gFailNothrowArrays = false;

int32 busCount (PlugProcessor& p, BusDirection dir)
{
	return p.getBusCount (kAudio, dir);
}

std::vector<uint8_t> stateBytes (PlugProcessor& p)
{
	auto stream = owned (new MemoryStream ());
	EXPECT_EQ (p.getState (stream), kResultOk);
	return bytesOf (*stream);
}

} // namespace

void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
	if (gFailNothrowArrays)
		return nullptr;
	try
	{
		return ::operator new[] (size);
	}
	catch (...)
	{
		return nullptr;
	}
}

TEST (ProcessorLifecycle, InitializeAddsTwoStereoBusesOnce)
{
	HostApplication hostObject; // not reference counted: lives on the stack
	FUnknown* host = &hostObject;
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (host), kResultOk);
	EXPECT_EQ (p->initialize (host), kResultFalse); // already holds a host context
	EXPECT_EQ (busCount (*p, kInput), 1);
	EXPECT_EQ (busCount (*p, kOutput), 1);

	BusInfo info {};
	ASSERT_EQ (p->getBusInfo (kAudio, kInput, 0, info), kResultOk);
	EXPECT_EQ (info.channelCount, 2);
	EXPECT_EQ (info.busType, kMain);
	EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));
	EXPECT_EQ (String (info.name), String ("AudioInput"));
	ASSERT_EQ (p->getBusInfo (kAudio, kOutput, 0, info), kResultOk);
	EXPECT_EQ (String (info.name), String ("AudioOutput"));

	TUID cid;
	ASSERT_EQ (p->getControllerClassId (cid), kResultOk);
	EXPECT_TRUE (FUID::fromTUID (cid) == kPlugControllerUID);
	EXPECT_EQ (p->getLatencySamples (), 0u);
	EXPECT_EQ (p->getTailSamples (), 0u);

	// terminate removes the buses; initialize may follow.
	EXPECT_EQ (p->terminate (), kResultOk);
	EXPECT_EQ (busCount (*p, kInput), 0);
	EXPECT_EQ (p->initialize (host), kResultOk);
	EXPECT_EQ (busCount (*p, kInput), 1);
	EXPECT_EQ (p->terminate (), kResultOk);
}

TEST (ProcessorLifecycle, BusArrangementsAcceptTwoChannelsOnly)
{
	struct Case
	{
		std::vector<SpeakerArrangement> ins, outs;
		tresult expected;
	};
	const SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
	const SpeakerArrangement otherPair = SpeakerArr::kStereoSurround; // two channels, not L/R
	const Case cases[] = {
	    {{stereo}, {stereo}, kResultTrue},
	    {{mono}, {stereo}, kResultFalse},
	    {{stereo}, {mono}, kResultFalse},
	    {{otherPair}, {otherPair}, kResultTrue},
	    {{}, {stereo}, kResultTrue},
	    {{stereo, stereo}, {stereo}, kResultFalse},
	    {{SpeakerArr::k51}, {stereo}, kResultFalse},
	};
	for (const auto& c : cases)
	{
		auto p = owned (new TestableProcessor ());
		ASSERT_EQ (p->initialize (nullptr), kResultOk);
		auto ins = c.ins;
		auto outs = c.outs;
		EXPECT_EQ (p->setBusArrangements (ins.data (), static_cast<int32> (ins.size ()), outs.data (),
		                                  static_cast<int32> (outs.size ())),
		           c.expected);
		SpeakerArrangement arr = 0;
		ASSERT_EQ (p->getBusArrangement (kInput, 0, arr), kResultTrue);
		const SpeakerArrangement expectedIn =
		    c.expected == kResultTrue && !ins.empty () ? ins[0] : stereo;
		EXPECT_EQ (arr, expectedIn);
	}
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	SpeakerArrangement arr[1] = {SpeakerArr::kStereo};
	EXPECT_EQ (p->setBusArrangements (arr, -1, arr, 1), kInvalidArgument);
}

TEST (ProcessorLifecycle, SampleSizesAndSetup)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	for (int32 size : {0, 1})
		EXPECT_EQ (p->canProcessSampleSize (size), kResultTrue);
	for (int32 size : {2, -1, 100})
		EXPECT_EQ (p->canProcessSampleSize (size), kResultFalse);

	ProcessSetup refused {kRealtime, 2, 256, 96000.0};
	EXPECT_EQ (p->setupProcessing (refused), kResultFalse);
	EXPECT_EQ (p->sampleRateHz, 96000.0); // kept although the base refused
	EXPECT_EQ (p->maxBlockSamples, 256);

	ProcessSetup setup {kRealtime, kSample64, 512, 48000.0};
	EXPECT_EQ (p->setupProcessing (setup), kResultOk);
	EXPECT_EQ (p->processSetup.symbolicSampleSize, kSample64);
}

TEST (ProcessorLifecycle, ActivationAllocatesClearsAndStartsAtTheLevelTarget)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (48000.0, 512), kResultOk);
	ASSERT_TRUE (p->workBufferL && p->workBufferR);
	EXPECT_EQ (p->workBufferSamples, 512);
	for (int32 i = 0; i < 512; ++i)
		ASSERT_TRUE (p->workBufferL[i] == 0.0 && p->workBufferR[i] == 0.0);
	EXPECT_EQ (p->smoothingFeedbackCoef, 0.9990837533438759);
	EXPECT_EQ (p->smoothingInCoef, 1.0 - 0.9990837533438759);
	EXPECT_NEAR (p->smootherState, p->outputGainTarget, 1e-15);
	EXPECT_EQ (p->outputGainTarget, 1.0000000000000004); // level 0.75 is 0 dB

	// Deactivating frees the buffers; a second time is harmless.
	EXPECT_EQ (p->setActive (false), kResultOk);
	EXPECT_FALSE (p->workBufferL || p->workBufferR);
	EXPECT_EQ (p->setActive (false), kResultOk);

	// Activating without a setup: buffers of 0 samples, smoother at 44100 Hz.
	auto q = owned (new TestableProcessor ());
	ASSERT_EQ (q->initialize (nullptr), kResultOk);
	ASSERT_EQ (q->setActive (true), kResultOk);
	EXPECT_EQ (q->workBufferSamples, 0);
	EXPECT_EQ (q->smoothingFeedbackCoef, 0.9990027651431992);
	EXPECT_EQ (q->setActive (false), kResultOk);
}

TEST (ProcessorLifecycle, ActivatingTwiceClearsTheMemoriesAgain)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (), kResultOk);
	p->filterW1[3] = 0.25;
	p->filterW2[9] = -0.5;
	ASSERT_EQ (p->setActive (true), kResultOk);
	EXPECT_EQ (p->filterW1[3], 0.0);
	EXPECT_EQ (p->filterW2[9], 0.0);
	EXPECT_EQ (p->workBufferSamples, 512);
}

TEST (ProcessorLifecycle, ActivationFailuresLeaveTheProcessorInactive)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	ProcessSetup negative {kRealtime, kSample32, -16, 48000.0};
	p->setupProcessing (negative);
	EXPECT_NE (p->setActive (true), kResultOk);
	EXPECT_FALSE (p->workBufferL || p->workBufferR);

	ProcessSetup setup {kRealtime, kSample32, 256, 48000.0};
	ASSERT_EQ (p->setupProcessing (setup), kResultOk);
	gFailNothrowArrays = true;
	tresult r = p->setActive (true);
	gFailNothrowArrays = false;
	EXPECT_EQ (r, kOutOfMemory);
	EXPECT_FALSE (p->workBufferL || p->workBufferR);

	// Not active: a block gives silence and nothing is read past anything.
	TestBlock<float> block (64);
	std::fill (block.inL.begin (), block.inL.end (), 0.5f);
	std::fill (block.outL.begin (), block.outL.end (), 9.0f);
	EXPECT_EQ (p->process (block.data), kResultOk);
	for (float s : block.outL)
		ASSERT_EQ (s, 0.0f);

	EXPECT_EQ (p->setActive (true), kResultOk);
	EXPECT_EQ (p->workBufferSamples, 256);
}

TEST (ProcessorLifecycle, BuffersAreFreedByDestructionAndReinitialisation)
{
	// LeakSanitizer (in the sanitizer build) reports what these leave behind.
	{
		auto p = owned (new TestableProcessor ());
		ASSERT_EQ (p->start (), kResultOk);
	} // destroyed while active
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->start (), kResultOk);
	ASSERT_EQ (p->terminate (), kResultOk); // no setActive (false)
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	EXPECT_FALSE (p->workBufferL || p->workBufferR);
	EXPECT_EQ (p->workBufferSamples, 0);
}

TEST (ProcessorLifecycle, StateOfANewProcessorAndRefusedStreams)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	const auto initial = stateBytes (*p);
	ASSERT_EQ (initial.size (), 260u);
	auto fresh = owned (new MemoryStream ());
	PlugState expected = makeInitialPlugState ();
	writePlugState (&expected, fresh);
	EXPECT_EQ (initial, bytesOf (*fresh));

	auto shortStream = streamWith (std::vector<uint8_t> (259, 0x11));
	EXPECT_EQ (p->setState (shortStream), kResultFalse);
	EXPECT_EQ (p->setState (nullptr), kResultFalse);
	EXPECT_EQ (stateBytes (*p), initial);
}

TEST (ProcessorLifecycle, SetStateWhileInactiveUpdatesTheFiltersAtOnce)
{
	auto p = owned (new TestableProcessor ());
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	PlugState s = makeInitialPlugState ();
	s.bands[kBandMF2].gainNorm = 1.0; // +16 dB
	s.bands[kBandMF2].enabled = false;
	s.rangeNorm = 0.5;
	auto stream = owned (new MemoryStream ());
	writePlugState (&s, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (p->setState (stream), kResultOk);
	EXPECT_EQ (p->filterGainDb[kBandMF2], 16.0);
	EXPECT_EQ (p->filterGainDb[kBandMF2 + 6], 16.0);
	EXPECT_EQ (p->filterOn[kBandMF2], 0);
	EXPECT_EQ (p->rangeFactor, 0.5);
	EXPECT_NE (p->coefB0[kBandMF2], 0.0); // designed though switched off
	EXPECT_EQ (p->coefB0[kBandMF2], p->coefB0[kBandMF2 + 6]);
	EXPECT_TRUE (samePlugState (p->plugState, s));
}
