// The CD-ROM steps of the main window: drive, state, county.
#include "kavro/tf_main.h"

void TFMain::initCountryCodes() {}

void TFMain::DriveOKClick() {}

void TFMain::StateOKClick() {}

void TFMain::CountyOKClick(QObject*) {}
