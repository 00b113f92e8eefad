#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

// Names a resource: a file name relative to the resources folder (see
// platform/resourcepath.h) or an absolute path. Numeric ids are not used on Linux.
class CResourceDescription
{
public:
	enum Type : uint32_t
	{
		kIntegerType,
		kStringType,
		kUnknownType
	};

	CResourceDescription () = default;
	CResourceDescription (int32_t id) : type (kIntegerType) { u.id = id; }
	CResourceDescription (UTF8StringPtr name) : type (name ? kStringType : kUnknownType)
	{
		u.name = name;
	}

	Type type {kUnknownType};
	union
	{
		int32_t id;
		UTF8StringPtr name;
	} u {};
};

} // VSTGUI
