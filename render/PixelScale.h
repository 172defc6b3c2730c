// How many pixels of the drawable one drawing unit covers. The editor draws in its own units and the projection maps
// them onto the drawable; what OpenGL measures in pixels (line widths) and what is rendered as pixels (text) is
// scaled by this. Like the OpenGL context it describes, it is one per program and used on the main thread only:
// Core sets it whenever it sizes the drawable. It is 1 until then.
#pragma once

void SetPixelScale(float pixelsPerUnit);
float PixelScale();
