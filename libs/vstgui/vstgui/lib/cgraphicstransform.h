#pragma once

#include "crect.h"

namespace VSTGUI {

// Affine transform: x' = m11 x + m12 y + dx, y' = m21 x + m22 y + dy.
struct CGraphicsTransform
{
	double m11 {1.};
	double m12 {0.};
	double m21 {0.};
	double m22 {1.};
	double dx {0.};
	double dy {0.};

	CGraphicsTransform () = default;
	CGraphicsTransform (double m11, double m12, double m21, double m22, double dx, double dy)
	: m11 (m11), m12 (m12), m21 (m21), m22 (m22), dx (dx), dy (dy)
	{
	}

	CGraphicsTransform& translate (double x, double y)
	{
		dx += x;
		dy += y;
		return *this;
	}
	CGraphicsTransform& translate (const CPoint& p) { return translate (p.x, p.y); }
	CGraphicsTransform& scale (double x, double y)
	{
		m11 *= x;
		m12 *= x;
		dx *= x;
		m21 *= y;
		m22 *= y;
		dy *= y;
		return *this;
	}
	// this applied after t
	CGraphicsTransform operator* (const CGraphicsTransform& t) const
	{
		return CGraphicsTransform (m11 * t.m11 + m12 * t.m21, m11 * t.m12 + m12 * t.m22,
		                           m21 * t.m11 + m22 * t.m21, m21 * t.m12 + m22 * t.m22,
		                           m11 * t.dx + m12 * t.dy + dx, m21 * t.dx + m22 * t.dy + dy);
	}
	const CGraphicsTransform& transform (CPoint& p) const
	{
		double x = m11 * p.x + m12 * p.y + dx;
		double y = m21 * p.x + m22 * p.y + dy;
		p.x = x;
		p.y = y;
		return *this;
	}
	bool isInvariant () const
	{
		return m11 == 1. && m12 == 0. && m21 == 0. && m22 == 1. && dx == 0. && dy == 0.;
	}
};

} // VSTGUI
