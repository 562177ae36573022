// Save As of the station list and results windows: the dialogs, the writes, the merge.
#include "kavro/tf_list.h"

void TFList::SaveClick()
{
}
