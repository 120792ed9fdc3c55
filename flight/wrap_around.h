#pragma once
// The wrap-around that keeps the camera's z within a bounded range: when z
// leaves [-L, L] the camera and the whole tunnel move back by L together,
// with L a whole number of ring lengths, so that the picture does not change.

class Orbalt2;
class TunnelBuilder;
struct Camera;

// L = nSegments x spacing x 64, in single precision.
float WrapLength(const Orbalt2& mesh, float spacing);

// The distance to move camera and tunnel by: -L when z > L, +L when z < -L,
// otherwise 0 (z equal to +-L stays).
float WrapDistance(float z, float wrapLength);

// Moves the camera and the tunnel back together when the camera has left
// [-L, L]; returns the distance moved (0 when it stayed inside).
float WrapCameraAndTunnel(Orbalt2& mesh, TunnelBuilder& builder, Camera& camera);
