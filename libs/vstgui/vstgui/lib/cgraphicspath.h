#pragma once

#include "vstguibase.h"
#include "crect.h"
#include "cgraphicstransform.h"
#include <vector>

namespace VSTGUI {

// A list of sub-paths that a CDrawContext fills or strokes. Made by
// CDrawContext::createGraphicsPath; the caller owns the one reference (forget it).
class CGraphicsPath : public AtomicReferenceCounted
{
public:
	CGraphicsPath () = default;
	~CGraphicsPath () noexcept override = default;

	void addRect (const CRect& rect);
	void addRoundRect (const CRect& size, CCoord radius);
	void addEllipse (const CRect& rect);
	// Angles in degrees, clockwise from the positive x axis (y grows downward).
	void addArc (const CRect& rect, double startAngle, double endAngle, bool clockwise);
	void addLine (const CPoint& to);
	void beginSubpath (const CPoint& start);
	void closeSubpath ();
	void addPath (const CGraphicsPath& path, CGraphicsTransform* transformation = nullptr);

	CRect getBoundingBox () const;
	bool isEmpty () const { return elements.empty (); }

	struct Element
	{
		enum Type
		{
			kBeginSubpath,
			kCloseSubpath,
			kLine,
			kRect,
			kArc,
			kEllipse,
			kRoundRect
		};
		Type type;
		CRect rect;
		CPoint point;
		double startAngle {0.};
		double endAngle {0.};
		double radius {0.};
		bool clockwise {true};
	};
	const std::vector<Element>& getElements () const { return elements; }

private:
	std::vector<Element> elements;
};

} // VSTGUI
