#ifndef ORVOPUBLICDATA_H
#define ORVOPUBLICDATA_H

// Everything a host application of the suite may call.
#include "orvoappinfo.h"
#include "orvokivsingleton.h"
#include "zrcommonutils.h"
#include "zrwinappsearchthread.h"
#include "zrwinapputils.h"
#include "zriniconfiguremanager.h"
#include "zrpublicdata.h"
#include "zruserinfo.h"
#include "zrversioninfo.h"

#endif
