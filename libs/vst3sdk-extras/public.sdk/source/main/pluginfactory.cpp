#include "public.sdk/source/main/pluginfactory.h"
#include "pluginterfaces/base/ustring.h"
#include <cstring>

Steinberg::CPluginFactory* gPluginFactory = nullptr;

namespace Steinberg {

namespace {

void copyToUtf16 (char16* dst, int32 dstSize, const char8* src)
{
	UString (dst, dstSize).fromAscii (src);
}

void copyToAscii (char8* dst, int32 dstSize, const char16* src)
{
	UString (const_cast<char16*> (src), dstSize).toAscii (dst, dstSize);
}

} // namespace

CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info) {}

CPluginFactory::~CPluginFactory ()
{
	if (gPluginFactory == this)
		gPluginFactory = nullptr;
}

bool CPluginFactory::registerClass (const PClassInfo* info, CreateFunction createFunc, void* context)
{
	if (!info)
		return false;
	PClassInfo2 info2;
	std::memcpy (info2.cid, info->cid, sizeof (TUID));
	info2.cardinality = info->cardinality;
	std::memcpy (info2.category, info->category, sizeof (info2.category));
	std::memcpy (info2.name, info->name, sizeof (info2.name));
	return registerClass (&info2, createFunc, context);
}

bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc || findClass (reinterpret_cast<FIDString> (info->cid)))
		return false;
	ClassEntry entry {};
	entry.info2 = *info;
	PClassInfoW& w = entry.infoW;
	std::memcpy (w.cid, info->cid, sizeof (TUID));
	w.cardinality = info->cardinality;
	std::memcpy (w.category, info->category, sizeof (w.category));
	copyToUtf16 (w.name, PClassInfo::kNameSize, info->name);
	w.classFlags = info->classFlags;
	std::memcpy (w.subCategories, info->subCategories, sizeof (w.subCategories));
	copyToUtf16 (w.vendor, PClassInfoW::kVendorSize, info->vendor);
	copyToUtf16 (w.version, PClassInfoW::kVersionSize, info->version);
	copyToUtf16 (w.sdkVersion, PClassInfoW::kVersionSize, info->sdkVersion);
	entry.createFunc = createFunc;
	entry.context = context;
	classes.push_back (entry);
	return true;
}

bool CPluginFactory::registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc || findClass (reinterpret_cast<FIDString> (info->cid)))
		return false;
	ClassEntry entry {};
	entry.infoW = *info;
	PClassInfo2& a = entry.info2;
	std::memcpy (a.cid, info->cid, sizeof (TUID));
	a.cardinality = info->cardinality;
	std::memcpy (a.category, info->category, sizeof (a.category));
	copyToAscii (a.name, PClassInfo::kNameSize, info->name);
	a.classFlags = info->classFlags;
	std::memcpy (a.subCategories, info->subCategories, sizeof (a.subCategories));
	copyToAscii (a.vendor, PClassInfo2::kVendorSize, info->vendor);
	copyToAscii (a.version, PClassInfo2::kVersionSize, info->version);
	copyToAscii (a.sdkVersion, PClassInfo2::kVersionSize, info->sdkVersion);
	entry.createFunc = createFunc;
	entry.context = context;
	classes.push_back (entry);
	return true;
}

bool CPluginFactory::isClassRegistered (const FUID& cid) const
{
	return findClass (reinterpret_cast<FIDString> (cid.toTUID ())) != nullptr;
}

void CPluginFactory::removeAllClasses () { classes.clear (); }

const CPluginFactory::ClassEntry* CPluginFactory::findClass (FIDString cid) const
{
	if (!cid)
		return nullptr;
	for (const auto& entry : classes)
		if (std::memcmp (entry.info2.cid, cid, sizeof (TUID)) == 0)
			return &entry;
	return nullptr;
}

tresult PLUGIN_API CPluginFactory::queryInterface (const TUID _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	if (FUnknownPrivate::iidEqual (_iid, FUnknown::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory2::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory3::iid))
	{
		addRef ();
		*obj = static_cast<IPluginFactory3*> (this);
		return kResultOk;
	}
	*obj = nullptr;
	return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef ()
{
	return static_cast<uint32> (FUnknownPrivate::atomicAdd (refCount, 1));
}

uint32 PLUGIN_API CPluginFactory::release ()
{
	int32 remaining = FUnknownPrivate::atomicAdd (refCount, -1);
	if (remaining == 0)
	{
		delete this;
		return 0;
	}
	return static_cast<uint32> (remaining);
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (!info)
		return kInvalidArgument;
	*info = factoryInfo;
	return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses () { return static_cast<int32> (classes.size ()); }

tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	if (!info || index < 0 || index >= countClasses ())
		return kInvalidArgument;
	const PClassInfo2& src = classes[static_cast<size_t> (index)].info2;
	std::memcpy (info->cid, src.cid, sizeof (TUID));
	info->cardinality = src.cardinality;
	std::memcpy (info->category, src.category, sizeof (info->category));
	std::memcpy (info->name, src.name, sizeof (info->name));
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	if (!info || index < 0 || index >= countClasses ())
		return kInvalidArgument;
	*info = classes[static_cast<size_t> (index)].info2;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	if (!info || index < 0 || index >= countClasses ())
		return kInvalidArgument;
	*info = classes[static_cast<size_t> (index)].infoW;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	const ClassEntry* entry = findClass (cid);
	if (!entry || !_iid)
		return kNoInterface;
	FUnknown* instance = nullptr;
	try
	{
		instance = entry->createFunc (entry->context);
	}
	catch (...)
	{
		// No exception may cross the interface.
		instance = nullptr;
	}
	if (!instance)
		return kOutOfMemory;
	// The create function hands over the initial reference; queryInterface adds the caller's.
	tresult result = instance->queryInterface (_iid, obj);
	instance->release ();
	if (result != kResultOk)
	{
		*obj = nullptr;
		return kNoInterface;
	}
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/) { return kNotImplemented; }

} // namespace Steinberg
