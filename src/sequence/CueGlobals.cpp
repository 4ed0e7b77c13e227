#include "sequence/CueGlobals.h"

KyCueGlobals& cueGlobals()
{
    static KyCueGlobals globals;
    return globals;
}
