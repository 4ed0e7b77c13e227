#pragma once
// Starting a stored cue: what a press on a cue button of the direct-access panel does to
// the live cue, shared with the cue editor and the command-line tool.

class KyCue;

// Replaces the live cue with a copy of `stored`, or with a new empty cue when there is
// none, puts every zone at the start of its first scene (as a cue read from the file stands,
// whatever places the stored copy kept) and re-applies the play and generator states the
// new live cue records (generators that play start again from their beginning). The
// process-wide generator amplitude then follows the new live cue, as the generator speed
// does through the assignment.
void startCue(KyCue& live, const KyCue* stored);
