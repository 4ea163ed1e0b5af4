// Resource ids of Sonvelt.exe (res/Sonvelt.rc). PNG glyphs are RCDATA resources
// holding the PNG file; bitmaps are BITMAP resources.
#pragma once

#define IDI_MAINICON 1

#define IDB_SPLASH 100  // 392 x 212, magenta (255, 0, 255) where the window is cut away
#define IDB_ABOUT 101   // the About box artwork

// PNG glyphs (RCDATA)
#define IDP_PROGRESS 200      // progress window icon, 32 x 32
#define IDP_PLAY 210          // transport buttons, 32 x 32
#define IDP_RECORD 211
#define IDP_PAUSE 212
#define IDP_STOP 213
#define IDP_START 214
#define IDP_REWIND 215
#define IDP_FORWARD 216
#define IDP_END 217
#define IDP_ZOOMIN 220        // document zoom buttons, 16 x 16
#define IDP_ZOOMOUT 221
#define IDP_ZOOMSELECTION 222
#define IDP_ZOOMFULL 223
#define IDP_TIMESTART 230     // ImageStart and ImageSel beside the time labels, 16 x 16
#define IDP_TIMESELECTION 231
#define IDP_CDDB 240           // the Load CD dialog's CD database button, 24 x 24
#define IDP_AUDIOFILE 260      // an audio file of the batch converter's file list, 16 x 16

// The recording window's stored skin (RCDATA holding the compressed skin file
// cool.skn, drawn and packed by draw_skin.py).
#define IDR_COOLSKIN 300

// The recording window's button glyphs (RCDATA PNG, 24 x 24 RGBA), in the order
// of its image list: record, pause, delete, timer record, mixer, silence settings.
#define IDP_REC_RECORD 250
#define IDP_REC_PAUSE 251
#define IDP_REC_DELETE 252
#define IDP_REC_TIMER 253
#define IDP_REC_MIXER 254
#define IDP_REC_SILENCE 255
