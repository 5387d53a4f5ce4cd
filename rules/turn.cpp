// PLACEHOLDER: replaced by the real implementation before this lands.
#include "rules/turn.h"
int32_t botDelayFrames = 0;
double viewYaw = 0.0;
double viewPitch = 0.0;
bool viewResetting = false;
double wAngleTarget = 0.0;
double wAngle = 0.0;
void UpdateGame() {}
