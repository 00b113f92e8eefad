#pragma once

// The module's class factory: a list of registered classes with their create
// functions, served through the three factory interface versions.

#include "pluginterfaces/base/ipluginbase.h"
#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*) (void* context);

	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	/** Registers a class; false when the arguments are unusable or the ID is taken. */
	bool registerClass (const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
	bool isClassRegistered (const FUID& cid) const;
	void removeAllClasses ();

	//--- FUnknown
	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
	uint32 PLUGIN_API release () SMTG_OVERRIDE;

	//--- IPluginFactory
	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;

	//--- IPluginFactory2
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;

	//--- IPluginFactory3
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

	/** The current reference count (for diagnostics and tests). */
	uint32 getRefCount () const { return static_cast<uint32> (refCount); }

protected:
	struct ClassEntry
	{
		PClassInfo2 info2;
		PClassInfoW infoW;
		CreateFunction createFunc;
		void* context;
	};
	const ClassEntry* findClass (FIDString cid) const;

	PFactoryInfo factoryInfo;
	std::vector<ClassEntry> classes;
	int32 refCount {1};
};

} // namespace Steinberg

/** The module's one live factory, or null. The factory's destructor clears it. */
extern Steinberg::CPluginFactory* gPluginFactory;
