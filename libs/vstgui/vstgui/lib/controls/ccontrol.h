#pragma once

#include "../cview.h"
#include "../cvstguitimer.h"
#include "icontrollistener.h"
#include <vector>

namespace VSTGUI {

class CMouseWheelEditingSupport;

// A view with a value in min..max (float), a default value, a wheel increment and a tag.
// Edits are bracketed by beginEdit/endEdit (nested calls count a depth; the first begin
// and the last end tell the listeners and the frame). A control that leaves the frame
// with an edit open ends it there, once, so no edit outlives the control's place in the
// editor. valueChanged tells the listener and every registered control listener.
class CControl : public CView
{
public:
	CControl (const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0,
	          CBitmap* pBackground = nullptr);
	CControl (const CControl& c);
	~CControl () noexcept override;

	// Value. setValue limits to min..max and ignores NaN; setValueNormalized limits its
	// argument to 0..1 (NaN becomes 0) and sets min + n * (max - min).
	virtual void setValue (float val);
	virtual float getValue () const { return value; }
	virtual void setValueNormalized (float val);
	// (value - min) / (max - min); 0 when max equals min.
	virtual float getValueNormalized () const;

	virtual void setMin (float val);
	virtual float getMin () const { return vmin; }
	virtual void setMax (float val);
	virtual float getMax () const { return vmax; }
	float getRange () const { return getMax () - getMin (); }

	virtual void setOldValue (float val) { oldValue = val; }
	virtual float getOldValue () const { return oldValue; }
	virtual void setDefaultValue (float val) { defaultValue = val; }
	virtual float getDefaultValue () const { return defaultValue; }
	virtual void setWheelInc (float val) { wheelInc = val; }
	virtual float getWheelInc () const { return wheelInc; }
	// Limits the value to min..max.
	virtual void bounceValue ();

	// The reset gesture: asks checkDefaultValueFunc; when it says yes and the value is
	// not the default, sets the default inside its own edit and tells the listeners.
	// Returns whether the gesture was taken.
	virtual bool checkDefaultValue (CButtonState button);

	virtual void setTag (int32_t val);
	virtual int32_t getTag () const { return tag; }

	virtual void beginEdit ();
	virtual void endEdit ();
	bool isEditing () const { return editing > 0; }
	int32_t getEditDepth () const { return editing; }

	virtual IControlListener* getListener () const { return listener; }
	virtual void setListener (IControlListener* l) { listener = l; }
	void registerControlListener (IControlListener* l);
	void unregisterControlListener (IControlListener* l);

	virtual void valueChanged ();

	// True when the value differs from the old value or the view is marked dirty.
	// setDirty (false) makes the old value the current one; setDirty (true) forces it
	// to differ.
	bool isDirty () const override;
	void setDirty (bool val = true) override;
	void draw (CDrawContext* context) override;
	// Ends an open edit of any depth (and drops a pending wheel-edit timer) while the
	// frame is still known, then leaves it.
	bool removed (CView* parent) override;

	// Exact modifier state of the reset click (kAlt) and the fine-drag modifier (kShift).
	static int32_t kZoomModifier;
	static int32_t kDefaultValueModifier;

	using CheckDefaultValueFunc = bool (*) (CControl* control, CButtonState button);
	// The predicate behind checkDefaultValue; defaultCheckDefaultValue from load.
	static CheckDefaultValueFunc checkDefaultValueFunc;

	CView* newCopy () const override { return new CControl (*this); }

protected:
	template <typename F>
	void forEachListener (F f);

	IControlListener* listener;
	std::vector<IControlListener*> subListeners;
	int32_t tag;
	float oldValue {1.f};
	float defaultValue {0.5f};
	float value {0.f};
	float vmin {0.f};
	float vmax {1.f};
	float wheelInc {0.1f};
	int32_t editing {0};

private:
	friend class CMouseWheelEditingSupport;
	// The wheel support (a base of the same control) whose end timer is pending, so
	// that removed () can drop it; not copied.
	CMouseWheelEditingSupport* pendingWheelEdit {nullptr};
};

// True exactly when the left button alone is down and the modifiers equal
// CControl::kDefaultValueModifier; the control is not consulted.
bool defaultCheckDefaultValue (CControl* control, CButtonState button);

// Ends a wheel edit after the wheel has been still for 500 ms. Holds one reference to
// its timer; a copy starts without one.
class CMouseWheelEditingSupport
{
public:
	CMouseWheelEditingSupport () = default;
	CMouseWheelEditingSupport (const CMouseWheelEditingSupport&) {}
	CMouseWheelEditingSupport& operator= (const CMouseWheelEditingSupport&) { return *this; }
	virtual ~CMouseWheelEditingSupport () noexcept { dropTimer (); }

	static constexpr uint32_t kWheelEditTimeout = 500; // ms

protected:
	// Opens an edit on control if none is open, and (re)starts the 500 ms end timer.
	void onMouseWheelEditing (CControl* control);
	// Drops a pending wheel-edit timer and ends the control's open edit, if any, whether
	// the wheel or a drag opened it.
	void invalidMouseWheelEditTimer (CControl* control);
	bool hasMouseWheelEditTimer () const { return wheelEditTimer != nullptr; }

private:
	// CControl::removed drops the timer when the control leaves the frame.
	friend class CControl;
	void dropTimer ();

	CControl* timerControl {nullptr}; // whose edit the pending timer ends

	SharedPointer<CVSTGUITimer> wheelEditTimer;
};

} // VSTGUI
