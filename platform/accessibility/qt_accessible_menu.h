// Menu items as a screen reader should read them.  The menu resource writes
// an item's shortcut into its text after a tab ("&Print...\tCtrl+P"), which
// Qt shows right-aligned in the menu but would also read out as part of the
// item's name.  Such items get an accessible interface of their own: named
// by the text before the tab, with the shortcut as the item's key binding.
#pragma once

// Installs the interface factory (once; later calls do nothing).
void InstallMenuItemAccessibility();
