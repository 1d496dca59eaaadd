#ifndef QUILLEX_EDITOR_FIND_BAR_BUTTONS_H
#define QUILLEX_EDITOR_FIND_BAR_BUTTONS_H

// The six picture buttons over the find bar's push buttons (g_app.findButtons),
// made with the bar.
void AttachFindBarButtons();

// Their pictures come with the list icons at start; without them the file is
// tried again, at start, and a missing one reported then.
void LoadFindBarPictures();

#endif
