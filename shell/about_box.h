#ifndef QUILLEX_SHELL_ABOUT_BOX_H
#define QUILLEX_SHELL_ABOUT_BOX_H

// Shows the About box modally over the main window.
void ShowAboutBox();

#endif
