#pragma once

// How screen readers meet the program's own controls, installed once QApplication exists:
// - every link (a LinkLabel, or a LinkCheckBox such as the exit screen's tick box) as a link
//   whose press action opens its page the way a click does;
// - a drop-down list named by its label, as a text box is, rather than by the item it shows;
// - the program's windows as frames (the About window is a dialog already).
void installAccessibleInterfaces();
