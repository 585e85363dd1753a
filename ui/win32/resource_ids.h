/* The resource numbers that the program's resource script and its code
   share. Plain preprocessor text: the resource compiler reads it too. */
#ifndef QUORVANE_UI_WIN32_RESOURCE_IDS_H
#define QUORVANE_UI_WIN32_RESOURCE_IDS_H

/* The program's icon; the first icon, which Explorer shows. */
#define QUORVANE_PROGRAM_ICON 1
/* The Finished window's own icon. */
#define QUORVANE_FINISHED_ICON 2

#endif
