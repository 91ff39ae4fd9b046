#include "game/drumkit/PatternStep.h"

void FreePattern(PatternStep*& head) {
    while (head) {
        PatternStep* next = head->next;
        delete head;
        head = next;
    }
}

uint32_t PatternLength(const PatternStep* head) {
    uint32_t count = 0;
    for (; head; head = head->next) ++count;
    return count;
}

PatternStep* PatternStepAt(PatternStep* head, uint32_t index) {
    for (; head && index > 0; --index) head = head->next;
    return head;
}
