#pragma once
// Reading the aircraft data files, one header per job: file names as bytes, text
// decoding, tab-terminated fields, numbers with their decimal rules, and the summary
// values shown in the aircraft trees.
#include "catalogue/armament.h"
#include "catalogue/decimal.h"
#include "catalogue/fields.h"
#include "catalogue/file_name.h"
#include "catalogue/summaries.h"
#include "catalogue/text_file.h"
