#pragma once

#include "vstguifwd.h"
#include <cmath>

namespace VSTGUI {

struct CPoint
{
	constexpr CPoint (CCoord x = 0., CCoord y = 0.) : x (x), y (y) {}

	CPoint& operator() (CCoord _x, CCoord _y)
	{
		x = _x;
		y = _y;
		return *this;
	}
	bool operator== (const CPoint& o) const { return x == o.x && y == o.y; }
	bool operator!= (const CPoint& o) const { return !(*this == o); }
	CPoint& operator+= (const CPoint& o)
	{
		x += o.x;
		y += o.y;
		return *this;
	}
	CPoint& operator-= (const CPoint& o)
	{
		x -= o.x;
		y -= o.y;
		return *this;
	}
	CPoint operator+ (const CPoint& o) const { return CPoint (x + o.x, y + o.y); }
	CPoint operator- (const CPoint& o) const { return CPoint (x - o.x, y - o.y); }
	CPoint operator- () const { return CPoint (-x, -y); }
	CPoint& offset (CCoord dx, CCoord dy)
	{
		x += dx;
		y += dy;
		return *this;
	}
	CPoint& offset (const CPoint& p) { return *this += p; }
	CPoint& offsetInverse (const CPoint& p) { return *this -= p; }
	CPoint& makeIntegral ()
	{
		x = std::round (x);
		y = std::round (y);
		return *this;
	}

	CCoord x;
	CCoord y;
};

} // VSTGUI
