#include "widgets/TVrPersistent.h"

void TVrPersistent::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TVrPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}
