#pragma once

// The rule every secondary window's hide handler applies: it cannot know who opened
// it, so it enables the start menu when that is visible, otherwise the reading window.
void EnableVisibleMainWindow();
// Hides the start menu and shows the reading window (a no-op when already so).
void SwitchToReadingWindow();
// Hides the reading window and shows the start menu.
void SwitchToStartMenu();
