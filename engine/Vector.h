// Vector.h: a point or direction in the game world.
#pragma once
#include "CoreTypes.h"
#include <math.h>

struct FVector
{
    FLOAT X = 0.f, Y = 0.f, Z = 0.f;

    FVector() = default;
    FVector(FLOAT InX, FLOAT InY, FLOAT InZ) : X(InX), Y(InY), Z(InZ) {}
    FVector operator+(const FVector& V) const { return FVector(X + V.X, Y + V.Y, Z + V.Z); }
    FVector operator-(const FVector& V) const { return FVector(X - V.X, Y - V.Y, Z - V.Z); }
    FVector operator*(FLOAT Scale) const { return FVector(X * Scale, Y * Scale, Z * Scale); }
    FLOAT SizeSquared() const { return X * X + Y * Y + Z * Z; }
    FLOAT Size() const { return FLOAT(sqrt(double(SizeSquared()))); }
};
