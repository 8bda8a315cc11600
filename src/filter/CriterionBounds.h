#pragma once

#include "filter/FilterCriteria.h"

namespace dz {

// One criterion's bounds or choice in an album's criteria, read and written
// the same way for every criterion. Choice criteria (flash, metering mode,
// exposure program, white balance) keep their choice as the Max, -1 for "All".

bool isChoiceCriterion(Criterion c);

double maxBound(const FilterCriteria& criteria, Criterion c);
double minBound(const FilterCriteria& criteria, Criterion c);
void setBounds(FilterCriteria& criteria, Criterion c, double max, double min);

std::int32_t choiceOf(const FilterCriteria& criteria, Criterion c);
void setChoice(FilterCriteria& criteria, Criterion c, std::int32_t code);

// Both bounds 0, or the choice -1: the criterion tests nothing.
void clearCriterion(FilterCriteria& criteria, Criterion c);

// A Max bound other than 0, or a choice other than -1.
bool holdsValue(const FilterCriteria& criteria, Criterion c);

}  // namespace dz
