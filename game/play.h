// The play screen: steering, catching, codons, faces and the score lines, one frame at a time.
#pragma once

// One frame of the play screen (STATE_PLAY).
int PlayFrame();
