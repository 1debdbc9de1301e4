// Texts the user sees from more than one program of the package. Macros,
// so that resource scripts and the string tables can use them as well.
#ifndef ORVANTIX_SHARED_TEXTS_H
#define ORVANTIX_SHARED_TEXTS_H

// The product's name: message-box captions, the applet, the Start-menu
// group, the mouse driver's description in System.ini, the version blocks.
#define PRODUCT_NAME "Orvantix Touchscreen"

// The question after a new calibration was handed to the driver to try.
#define CHECK_QUESTION_CAPTION "Checking calibration results"
#define CHECK_QUESTION_TEXT "Try moving on the screen,Does the cursor jump to your fingertip?"

#endif
