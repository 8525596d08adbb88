// Drawing frames and measuring their time.
#pragma once

// Starts the clock that times the frames.
void StartFrameTimer();

// Draws, presents and times one frame.
void RenderFrame();
