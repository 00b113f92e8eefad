// Reference counting (remember/forget), CBaseObject and SharedPointer.
#pragma once

#include "vstguifwd.h"
#include <atomic>
#include <utility>

namespace VSTGUI {

class IReference
{
public:
	virtual ~IReference () noexcept = default;
	virtual void remember () = 0;
	virtual void forget () = 0;
};

// A new object starts with one reference, owned by whoever made it. The last forget
// calls beforeDelete (the object is still whole there) and then deletes it.
template <typename CounterT>
class ReferenceCounted : virtual public IReference
{
public:
	ReferenceCounted () = default;
	ReferenceCounted (const ReferenceCounted&) {}
	ReferenceCounted& operator= (const ReferenceCounted&) { return *this; }
	~ReferenceCounted () noexcept override = default;

	virtual void beforeDelete () {}

	void remember () override { ++nbReference; }
	void forget () override
	{
		if (--nbReference == 0)
		{
			beforeDelete ();
			delete this;
		}
	}
	int32_t getNbReference () const { return nbReference; }

private:
	CounterT nbReference {1};
};

using NonAtomicReferenceCounted = ReferenceCounted<int32_t>;
using AtomicReferenceCounted = ReferenceCounted<std::atomic<int32_t>>;

class CBaseObject : public NonAtomicReferenceCounted
{
public:
	CBaseObject () = default;
	~CBaseObject () noexcept override = default;
	CBaseObject (const CBaseObject&) = default;
	CBaseObject& operator= (const CBaseObject&) { return *this; }

	virtual CMessageResult notify (CBaseObject* /*sender*/, IdStringPtr /*message*/)
	{
		return kMessageUnknown;
	}
};

// Holds one reference on a reference-counted object.
template <class I>
class SharedPointer
{
public:
	SharedPointer () noexcept = default;
	// Takes a new reference unless remember is false (then it adopts the caller's).
	SharedPointer (I* p, bool remember = true) noexcept : ptr (p)
	{
		if (ptr && remember)
			ptr->remember ();
	}
	SharedPointer (const SharedPointer& other) noexcept : SharedPointer (other.ptr) {}
	SharedPointer (SharedPointer&& other) noexcept : ptr (other.ptr) { other.ptr = nullptr; }
	template <class T>
	SharedPointer (const SharedPointer<T>& other) noexcept : SharedPointer (other.get ())
	{
	}
	template <class T>
	SharedPointer (SharedPointer<T>&& other) noexcept : ptr (other.take ())
	{
	}
	~SharedPointer () noexcept
	{
		if (ptr)
			ptr->forget ();
	}

	SharedPointer& operator= (I* p) noexcept
	{
		if (p != ptr)
		{
			I* old = ptr;
			ptr = p;
			if (ptr)
				ptr->remember ();
			if (old)
				old->forget ();
		}
		return *this;
	}
	SharedPointer& operator= (const SharedPointer& other) noexcept { return *this = other.ptr; }
	SharedPointer& operator= (SharedPointer&& other) noexcept
	{
		if (this != &other)
		{
			I* old = ptr;
			ptr = other.ptr;
			other.ptr = nullptr;
			if (old)
				old->forget ();
		}
		return *this;
	}
	SharedPointer& operator= (std::nullptr_t) noexcept
	{
		reset ();
		return *this;
	}

	void reset () noexcept
	{
		I* old = ptr;
		ptr = nullptr;
		if (old)
			old->forget ();
	}
	// Gives up the reference without forgetting it.
	I* take () noexcept
	{
		I* p = ptr;
		ptr = nullptr;
		return p;
	}

	I* get () const noexcept { return ptr; }
	I* operator-> () const noexcept { return ptr; }
	I& operator* () const noexcept { return *ptr; }
	operator I* () const noexcept { return ptr; }
	explicit operator bool () const noexcept { return ptr != nullptr; }

	template <class T>
	T* cast () const
	{
		return dynamic_cast<T*> (ptr);
	}

private:
	I* ptr {nullptr};
};

// Wraps the initial reference of a new object.
template <class I>
SharedPointer<I> owned (I* p) noexcept
{
	return SharedPointer<I> (p, false);
}

template <class I>
SharedPointer<I> shared (I* p) noexcept
{
	return SharedPointer<I> (p, true);
}

template <class I, typename... Args>
SharedPointer<I> makeOwned (Args&&... args)
{
	return SharedPointer<I> (new I (std::forward<Args> (args)...), false);
}

} // VSTGUI
