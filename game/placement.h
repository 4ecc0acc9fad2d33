// Piece placement: where pieces appear at start and how the respawn timer refills empty slots.
#pragma once

// The respawn timer's tick: refills the lowest empty slot, or stops the timer when none is empty.
int RespawnTick();
