// Loads the built bundle with dlopen, as a Linux host does, and reaches the plug-in
// only through the VST 3 interfaces.

#include "bundleloader.h"
#include "hostparameterchanges.h"
#include "testblock.h"
#include "teststreams.h"

#include "source/processor/plugids.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace ord3ltest;

namespace {

std::string bundlePath () { return bundleUnderTest (ORD3L_BUNDLE_DIR); }

std::string ascii (const char16* text)
{
	char buffer[256] {};
	UString (const_cast<char16*> (text), 256).toAscii (buffer, 256);
	return buffer;
}

class BundleTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		ASSERT_TRUE (loader.load (bundlePath ())) << loader.error ();
		factory = owned (loader.getFactory ());
		ASSERT_TRUE (factory);
	}
	void TearDown () override
	{
		factory = nullptr;
		EXPECT_TRUE (loader.unload ());
	}

	template <typename I>
	IPtr<I> create (const FUID& cid)
	{
		I* obj = nullptr;
		TUID tuid;
		cid.toTUID (tuid);
		if (factory->createInstance (reinterpret_cast<FIDString> (tuid), I::iid.toTUID (),
		                             reinterpret_cast<void**> (&obj)) != kResultOk)
			return nullptr;
		return owned (obj);
	}

	BundleLoader loader;
	IPtr<IPluginFactory> factory;
};

} // namespace

TEST_F (BundleTest, BundleLayoutAndExports)
{
	FILE* pipe = popen (("nm -D --defined-only '" + loader.libraryPath () + "' | awk '$2 ~ /^[TDBVW]$/ {print $3}' | sort").c_str (), "r");
	ASSERT_TRUE (pipe);
	std::string symbols;
	char line[512];
	while (fgets (line, sizeof (line), pipe))
		symbols += line;
	pclose (pipe);
	EXPECT_EQ (symbols, "GetPluginFactory\nModuleEntry\nModuleExit\n");
	FILE* res = fopen ((bundlePath () + "/Contents/Resources").c_str (), "r");
	EXPECT_TRUE (res != nullptr);
	if (res)
		fclose (res);
}

TEST_F (BundleTest, FactoryAndClassInformation)
{
	PFactoryInfo info {};
	ASSERT_EQ (factory->getFactoryInfo (&info), kResultOk);
	EXPECT_STREQ (info.vendor, "TOLMAR Soft");
	EXPECT_EQ (info.flags, 16);
	EXPECT_EQ (std::strncmp (info.url, "https://", 8), 0);
	EXPECT_EQ (std::strncmp (info.email, "mailto:", 7), 0);

	ASSERT_EQ (factory->countClasses (), 2);
	FUnknownPtr<IPluginFactory2> factory2 (factory);
	FUnknownPtr<IPluginFactory3> factory3 (factory);
	ASSERT_TRUE (factory2 && factory3);

	struct Expected
	{
		const char* name;
		const char* category;
		const char* subCategories;
		uint32 flags;
		const uint8 cid[16];
	};
	const Expected expected[] = {
	    {"ts ORD3L", "Audio Module Class", "Fx|EQ", 1,
	     {0xD4, 0x05, 0xF7, 0xE8, 0x7E, 0x44, 0x44, 0x20, 0x81, 0xF4, 0x3A, 0xC8, 0x74, 0x4E, 0xF2, 0x23}},
	    {"ts ORD3L Controller", "Component Controller Class", "", 0,
	     {0xF7, 0x48, 0xB3, 0xBE, 0x7F, 0xEB, 0x4E, 0x7D, 0xB8, 0x1F, 0x05, 0xE8, 0x76, 0x44, 0x83, 0x2C}},
	};
	for (int32 i = 0; i < 2; ++i)
	{
		const Expected& e = expected[i];
		PClassInfo2 c2 {};
		ASSERT_EQ (factory2->getClassInfo2 (i, &c2), kResultOk);
		EXPECT_EQ (std::memcmp (c2.cid, e.cid, 16), 0) << i;
		EXPECT_STREQ (c2.name, e.name);
		EXPECT_STREQ (c2.category, e.category);
		EXPECT_STREQ (c2.subCategories, e.subCategories);
		EXPECT_EQ (c2.classFlags, e.flags);
		EXPECT_EQ (c2.cardinality, PClassInfo::kManyInstances);
		EXPECT_STREQ (c2.version, "2.0.0.0");
		EXPECT_STREQ (c2.sdkVersion, "VST 3.7.3");
		EXPECT_STREQ (c2.vendor, "");

		PClassInfoW cw {};
		ASSERT_EQ (factory3->getClassInfoUnicode (i, &cw), kResultOk);
		EXPECT_EQ (ascii (cw.name), e.name);
		EXPECT_EQ (ascii (cw.sdkVersion), "VST 3.7.3");

		PClassInfo c1 {};
		ASSERT_EQ (factory->getClassInfo (i, &c1), kResultOk);
		EXPECT_STREQ (c1.name, e.name);
	}
	PClassInfo2 none {};
	EXPECT_NE (factory2->getClassInfo2 (2, &none), kResultOk);
}

TEST_F (BundleTest, FactoryIsSharedUntilReleasedThenBuiltAgain)
{
	IPluginFactory* again = loader.getFactory ();
	EXPECT_EQ (again, factory.get ());
	// One more reference: addRef/release report the count.
	EXPECT_EQ (again->addRef (), 3u);
	EXPECT_EQ (again->release (), 2u);
	again->release ();

	IPluginFactory* first = factory.get ();
	factory = nullptr; // the last reference
	IPluginFactory* rebuilt = loader.getFactory ();
	ASSERT_TRUE (rebuilt);
	EXPECT_EQ (rebuilt->countClasses (), 2);
	factory = owned (rebuilt);
	(void)first;
}

TEST_F (BundleTest, CreatesEachClassThroughItsInterfaces)
{
	EXPECT_TRUE (create<IComponent> (kPlugProcessorUID));
	EXPECT_TRUE (create<IAudioProcessor> (kPlugProcessorUID));
	EXPECT_TRUE (create<IEditController> (kPlugControllerUID));
	EXPECT_FALSE (create<IEditController> (kPlugProcessorUID)); // wrong interface
	FUID unknown (1, 2, 3, 4);
	EXPECT_FALSE (create<IComponent> (unknown));
}

TEST_F (BundleTest, ProcessorSessionThroughTheInterfaces)
{
	auto component = create<IComponent> (kPlugProcessorUID);
	ASSERT_TRUE (component);
	FUnknownPtr<IAudioProcessor> processor (component);
	ASSERT_TRUE (processor);

	ASSERT_EQ (component->initialize (nullptr), kResultOk);
	EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
	EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
	TUID controllerCid;
	ASSERT_EQ (component->getControllerClassId (controllerCid), kResultOk);
	EXPECT_TRUE (FUID::fromTUID (controllerCid) == kPlugControllerUID);

	SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
	EXPECT_EQ (processor->setBusArrangements (&stereo, 1, &stereo, 1), kResultTrue);
	EXPECT_EQ (processor->setBusArrangements (&mono, 1, &stereo, 1), kResultFalse);
	EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultTrue);
	EXPECT_EQ (processor->canProcessSampleSize (2), kResultFalse);

	ProcessSetup setup {kRealtime, kSample32, 256, 48000.0};
	ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
	ASSERT_EQ (component->setActive (true), kResultOk);
	// The processor has nothing to start or stop; it answers as the SDK base does.
	EXPECT_EQ (processor->setProcessing (true), kNotImplemented);

	// A block with a Bypass change passes the input through unchanged.
	TestBlock<float> block (256);
	for (int32 i = 0; i < 256; ++i)
		block.inL[i] = block.inR[i] = 0.001f * static_cast<float> (i);
	auto changes = owned (new HostParameterChanges ());
	changes->add (kBypassId, {{0, 1.0}});
	block.data.inputParameterChanges = changes;
	EXPECT_EQ (processor->process (block.data), kResultOk);
	EXPECT_EQ (block.outL, block.inL);

	// The state reflects the change and survives a round trip into a new instance.
	auto saved = owned (new MemoryStream ());
	ASSERT_EQ (component->getState (saved), kResultOk);
	auto bytes = bytesOf (*saved);
	ASSERT_EQ (bytes.size (), 260u);
	int32 bypassSlot = 0;
	std::memcpy (&bypassSlot, bytes.data () + 8, 4);
	EXPECT_EQ (bypassSlot, 1);

	processor->setProcessing (false);
	EXPECT_EQ (component->setActive (false), kResultOk);
	EXPECT_EQ (component->terminate (), kResultOk);

	auto other = create<IComponent> (kPlugProcessorUID);
	ASSERT_TRUE (other);
	ASSERT_EQ (other->initialize (nullptr), kResultOk);
	ASSERT_EQ (other->setState (streamWith (bytes)), kResultOk);
	auto copy = owned (new MemoryStream ());
	ASSERT_EQ (other->getState (copy), kResultOk);
	EXPECT_EQ (bytesOf (*copy), bytes);
	EXPECT_EQ (other->setState (streamWith (std::vector<uint8_t> (bytes.begin (), bytes.end () - 1))),
	           kResultFalse);
	EXPECT_EQ (other->terminate (), kResultOk);
}

TEST_F (BundleTest, ControllerWithstandsHostileValuesAndTexts)
{
	auto controller = create<IEditController> (kPlugControllerUID);
	ASSERT_TRUE (controller);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);

	// Room behind the host's String128, filled with a sentinel that an overrun would change.
	std::vector<char16> text (1024, char16 (0xBEEF));
	EXPECT_EQ (controller->getParamStringByValue (kLevelId, 1e300, text.data ()), kResultOk);
	EXPECT_EQ (ascii (text.data ()), "12.0");
	EXPECT_EQ (std::count (text.begin () + 128, text.end (), char16 (0xBEEF)), 1024 - 128);

	char16 loneSurrogate[] = {0xD800, 0};
	ParamValue value = 0.25;
	EXPECT_EQ (controller->getParamValueByString (kQMF1Id, loneSurrogate, value), kResultFalse);
	EXPECT_EQ (controller->getParamValueByString (kQMF1Id, nullptr, value), kResultFalse);
	EXPECT_EQ (value, 0.25);

	EXPECT_EQ (controller->setParamNormalized (kLevelId, std::nan ("")), kResultFalse);
	EXPECT_EQ (controller->getParamNormalized (kLevelId), 0.75);
	EXPECT_EQ (controller->terminate (), kResultOk);
}

TEST (ModuleEntry, EntryAndExitAreCounted)
{
	BundleLoader loader;
	ASSERT_TRUE (loader.load (bundlePath ())) << loader.error ();
	using EntryProc = bool (*) (void*);
	using ExitProc = bool (*) ();
	auto entry = reinterpret_cast<EntryProc> (loader.symbol ("ModuleEntry"));
	auto exitProc = reinterpret_cast<ExitProc> (loader.symbol ("ModuleExit"));
	ASSERT_TRUE (entry && exitProc);
	EXPECT_TRUE (entry (nullptr)); // a second entry
	EXPECT_TRUE (exitProc ());     // balances it
	EXPECT_TRUE (loader.unload ()); // the last exit
}
