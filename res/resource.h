/* Resource ids for Runwarden, shared by runwarden.rc and the C++ code.
 *
 * Ranges, so ids never share a number:
 *   IDI_  icons      100-199
 *   IDM_  menu items 200-299
 *   IDC_  controls   300-399
 *   IDS_  strings    400-499
 */
#ifndef RUNWARDEN_RESOURCE_H
#define RUNWARDEN_RESOURCE_H

#define IDI_RUNWARDEN 101

/* Menu entries. */
#define IDM_EXIT 201
#define IDM_VIEW_ASCENDING 202
#define IDM_VIEW_DESCENDING 203
#define IDM_VIEW_STATUS_BAR 204
#define IDM_VIEW_TOOLBAR 205
#define IDM_VIEW_REFRESH 206
#define IDM_VIEW_CHECK_ALL 207
#define IDM_VIEW_UNCHECK_ALL 208
#define IDM_DELETE_CHECKED_ITEMS 209
#define IDM_INFO_LEGEND 210
#define IDM_ABOUT 211

/* Toolbar buttons: their command ids. */
#define IDM_TOOLBAR_DELETE 220
#define IDM_TOOLBAR_SORT_ASCENDING 221
#define IDM_TOOLBAR_SORT_DESCENDING 222
#define IDM_TOOLBAR_VIEW_SMALL_ICONS 223
#define IDM_TOOLBAR_VIEW_LARGE_ICONS 224
#define IDM_TOOLBAR_VIEW_LIST 225
#define IDM_TOOLBAR_VIEW_DETAILS 226

/* Controls of the main window. */
#define IDC_LISTVIEW1 301
#define IDC_TOOLBAR1 302
#define IDC_STATUSBAR1 303

/* Controls of the dialogs (OK buttons use IDOK). */
#define IDC_LEGEND_HEADING 310
#define IDC_LEGEND_TEXT 311
#define IDC_ABOUT_TITLE 320
#define IDC_ABOUT_VERSION 321
#define IDC_README_TEXT 322
#define IDC_SYSTEM_INFO 323

#endif /* RUNWARDEN_RESOURCE_H */
