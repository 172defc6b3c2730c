// Draws the two figures in the current colour.
#pragma once

class RegularStarPolygon;
class IsotoxalStarPolygon;

// Edges of width lineWidth from every point i to point i + density, and a dot of dotRadius at every point.
void DrawRegularStar(const RegularStarPolygon& star);

// A fan of 2n filled triangles around the centre; nothing when a corner is not finite.
void DrawIsotoxalStar(const IsotoxalStarPolygon& star);
