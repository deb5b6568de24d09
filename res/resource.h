#pragma once

// Icons. The digit icons are numbered in the order they were first drawn: 1 and 2 come before 0.
#define IDI_PROGRAM 128
#define IDI_DIGIT_1 135
#define IDI_DIGIT_2 136
#define IDI_DIGIT_0 137
#define IDI_DIGIT_3 138
#define IDI_DIGIT_4 139
#define IDI_DIGIT_5 140
#define IDI_DIGIT_6 141
#define IDI_DIGIT_7 142
#define IDI_DIGIT_8 143
#define IDI_DIGIT_9 144
#define IDI_CANVAS 145
