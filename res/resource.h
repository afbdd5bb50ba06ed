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

#define IDM_VIEW_REFRESH 201

#define IDC_LISTVIEW1 301

#endif /* RUNWARDEN_RESOURCE_H */
