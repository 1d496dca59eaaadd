#ifndef QUILLEX_EDITOR_FIND_BAR_BUTTONS_H
#define QUILLEX_EDITOR_FIND_BAR_BUTTONS_H

// The six picture buttons over the find bar's push buttons (g_app.findButtons),
// and their pictures.
void AttachFindBarButtons();

#endif
