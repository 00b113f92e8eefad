#pragma once

#include "vstguibase.h"
#include "crect.h"
#include "ccolor.h"
#include "cfont.h"
#include "cgraphicstransform.h"
#include <vector>

struct _cairo;

namespace VSTGUI {

enum CDrawStyle
{
	kDrawStroked = 0,
	kDrawFilled,
	kDrawFilledAndStroked
};

enum CDrawModeFlags : uint32_t
{
	kAliasing = 0,
	kAntiAliasing = 1,
	kNonIntegralMode = 0xF0000000
};

class CDrawMode
{
public:
	constexpr CDrawMode (uint32_t mode = kAliasing) : mode (mode) {}
	constexpr CDrawMode (const CDrawMode&) = default;
	CDrawMode& operator= (const CDrawMode&) = default;

	uint32_t modeIgnoringIntegralMode () const { return mode & ~kNonIntegralMode; }
	bool integralMode () const { return (mode & kNonIntegralMode) == 0; }
	uint32_t operator() () const { return mode; }
	bool operator== (const CDrawMode& o) const { return mode == o.mode; }
	bool operator!= (const CDrawMode& o) const { return mode != o.mode; }

private:
	uint32_t mode;
};

class CLineStyle
{
public:
	enum LineCap
	{
		kLineCapButt = 0,
		kLineCapRound,
		kLineCapSquare
	};
	enum LineJoin
	{
		kLineJoinMiter = 0,
		kLineJoinRound,
		kLineJoinBevel
	};
	using CoordVector = std::vector<CCoord>;

	CLineStyle (LineCap cap = kLineCapButt, LineJoin join = kLineJoinMiter, CCoord dashPhase = 0.,
	            const CoordVector& dashLengths = {})
	: cap (cap), join (join), dashPhase (dashPhase), dashLengths (dashLengths)
	{
	}

	LineCap getLineCap () const { return cap; }
	LineJoin getLineJoin () const { return join; }
	CCoord getDashPhase () const { return dashPhase; }
	// Dash lengths in units of the line width.
	const CoordVector& getDashLengths () const { return dashLengths; }
	bool operator== (const CLineStyle& o) const
	{
		return cap == o.cap && join == o.join && dashPhase == o.dashPhase &&
		       dashLengths == o.dashLengths;
	}
	bool operator!= (const CLineStyle& o) const { return !(*this == o); }

private:
	LineCap cap;
	LineJoin join;
	CCoord dashPhase;
	CoordVector dashLengths;
};

extern const CLineStyle kLineSolid;
extern const CLineStyle kLineOnOffDash;

// Draws on a cairo context. Coordinates are the frame's; containers push transforms
// so that their children draw in their own coordinates. The same code draws on an
// offscreen image surface (COffscreenContext) and, later, on a window surface.
class CDrawContext : public AtomicReferenceCounted
{
public:
	enum PathDrawMode
	{
		kPathFilled,
		kPathFilledEvenOdd,
		kPathStroked
	};

	// Applies a transform for the lifetime of the object.
	class Transform
	{
	public:
		Transform (CDrawContext& context, const CGraphicsTransform& transformation);
		~Transform () noexcept;
		Transform (const Transform&) = delete;
		Transform& operator= (const Transform&) = delete;

	private:
		CDrawContext& context;
		bool pushed;
	};

	// Draws on cr, which covers surfaceRect; takes a reference on cr.
	CDrawContext (_cairo* cr, const CRect& surfaceRect, double scaleFactor = 1.);
	~CDrawContext () noexcept override;

	// Lines and shapes
	void drawLine (const CPoint& start, const CPoint& end);
	void drawLines (const std::vector<std::pair<CPoint, CPoint>>& lines);
	void drawPolygon (const std::vector<CPoint>& polygon, const CDrawStyle drawStyle = kDrawStroked);
	void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked);
	void drawArc (const CRect& rect, const float startAngle1, const float endAngle2,
	              const CDrawStyle drawStyle = kDrawStroked);
	void drawEllipse (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked);
	void drawPoint (const CPoint& point, const CColor& color);
	void clearRect (const CRect& rect);

	void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                 float alpha = 1.f);

	// Text; rect's vertical centre is the text's centre line.
	void drawString (UTF8StringPtr string, const CRect& rect, const CHoriTxtAlign hAlign = kCenterText,
	                 bool antialias = true);
	void drawString (UTF8StringPtr string, const CPoint& origin, bool antialias = true);
	CCoord getStringWidth (UTF8StringPtr string);

	// Paths
	CGraphicsPath* createGraphicsPath ();
	void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                       CGraphicsTransform* transformation = nullptr);

	// State
	void setLineStyle (const CLineStyle& style);
	const CLineStyle& getLineStyle () const { return currentState.lineStyle; }
	void setLineWidth (CCoord width);
	CCoord getLineWidth () const { return currentState.frameWidth; }
	void setDrawMode (CDrawMode mode);
	CDrawMode getDrawMode () const { return currentState.drawMode; }
	void setClipRect (const CRect& clip);
	CRect& getClipRect (CRect& clip) const;
	void resetClipRect ();
	void setFillColor (const CColor& color);
	CColor getFillColor () const { return currentState.fillColor; }
	void setFrameColor (const CColor& color);
	CColor getFrameColor () const { return currentState.frameColor; }
	void setFontColor (const CColor& color);
	CColor getFontColor () const { return currentState.fontColor; }
	void setFont (const CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
	CFontRef getFont () const { return currentState.font; }
	void setGlobalAlpha (float newAlpha);
	float getGlobalAlpha () const { return currentState.globalAlpha; }
	void saveGlobalState ();
	void restoreGlobalState ();

	double getScaleFactor () const { return scaleFactor; }
	// One device pixel in drawing units.
	CCoord getHairlineSize () const { return 1. / scaleFactor; }
	const CRect& getSurfaceRect () const { return surfaceRect; }
	const CGraphicsTransform& getCurrentTransform () const;

	// Bring pending drawing to the surface.
	virtual void flush ();

	_cairo* getCairo () const { return cr; }

protected:
	void pushTransform (const CGraphicsTransform& t);
	void popTransform ();
	void applyClip ();
	void setSourceColor (const CColor& color);
	void applyLineStyle ();
	void applyAntialias ();

	struct State
	{
		SharedPointer<CFontDesc> font;
		CColor frameColor {kWhiteCColor};
		CColor fillColor {kBlackCColor};
		CColor fontColor {kWhiteCColor};
		CCoord frameWidth {1.};
		CLineStyle lineStyle {kLineSolid};
		CDrawMode drawMode {kAliasing};
		CRect clipRect; // in frame coordinates
		float globalAlpha {1.f};
	};

	_cairo* cr;
	CRect surfaceRect;
	double scaleFactor;
	State currentState;
	std::vector<State> stateStack;
	std::vector<CGraphicsTransform> transformStack;
};

} // VSTGUI
