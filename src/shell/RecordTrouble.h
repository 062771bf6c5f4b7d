#pragma once

// While the teacher's record cannot reach its destination, a small line in
// the bottom corner of whatever screen is open says how many answers wait:
// something a teacher walking by notices, that takes no click and no key
// from the pupil (it lets both through). It goes once they are delivered.
// Started once, by the first screen that asks the pupil's name.
void watchRecordTrouble();
