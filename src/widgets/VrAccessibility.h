#pragma once

// Registers, once, the accessibility interfaces of the widget family: the navigator bar as a
// tool bar of push buttons, the progress bar, the image view as a picture, the link label as a link.
void InstallVrAccessibility();
