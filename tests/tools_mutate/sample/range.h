#pragma once

bool InRange(int v, int lo, int hi);
int Clamp(int v, int lo, int hi);
int Midpoint(int a, int b);
