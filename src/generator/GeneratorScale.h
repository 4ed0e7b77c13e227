#pragma once
// The generator bars: a speed position -100..100 scales the generator speed from 0.125 to
// 3.984375 (1 at 0), an amplitude position 0..100 gives an amplitude factor of position / 100.
// The inverse mappings turn the live factors back into the positions the bars show.

double generatorSpeedFactor(int position);
int generatorSpeedPosition(double factor);

double generatorAmplitudeFactor(int position);
int generatorAmplitudePosition(double factor);
