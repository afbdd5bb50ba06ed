/* Resource ids for Runwarden, shared by runwarden.rc and the C++ code.
 *
 * Ranges, so ids never share a number:
 *   IDI_  icons      100-199
 *   IDM_  menu items 200-299
 *   IDC_  controls   300-399
 */
#ifndef RUNWARDEN_RESOURCE_H
#define RUNWARDEN_RESOURCE_H

#define IDI_RUNWARDEN 101

/* Commands: the menu's entries, the toolbar's buttons and the shortcut key
 * send them. */
#define IDM_EXIT 201
#define IDM_SORT_ASCENDING 202
#define IDM_SORT_DESCENDING 203
#define IDM_STATUS_BAR 204
#define IDM_TOOLBAR 205
#define IDM_REFRESH 206
#define IDM_CHECK_ALL 207
#define IDM_UNCHECK_ALL 208
#define IDM_DELETE_CHECKED_ITEMS 209
#define IDM_INFORMATION_LEGEND 210
#define IDM_ABOUT 211
#define IDM_UNDO_DELETE 212
/* The toolbar's sorts leave the menu's marks as they are. */
#define IDM_TOOLBAR_SORT_ASCENDING 221
#define IDM_TOOLBAR_SORT_DESCENDING 222
#define IDM_VIEW_SMALL_ICONS 223
#define IDM_VIEW_LARGE_ICONS 224
#define IDM_VIEW_LIST 225
#define IDM_VIEW_DETAILS 226

/* Controls of the main window. */
#define IDC_STARTUP_LIST 301
#define IDC_TOOLBAR 302
#define IDC_STATUS_BAR 303

/* Controls of the dialogs (OK buttons use IDOK). */
#define IDC_LEGEND_HEADING 310
#define IDC_LEGEND_TEXT 311
#define IDC_ABOUT_TITLE 320
#define IDC_ABOUT_VERSION 321
#define IDC_README_TEXT 322
#define IDC_SYSTEM_INFO 323

#endif /* RUNWARDEN_RESOURCE_H */
