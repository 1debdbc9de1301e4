// Owned byte strings; see text.h.
#include "text.h"

#include <string.h>

Text::Text() : m_data(0), m_length(0) {}

Text::Text(const char *text) : m_data(0), m_length(0) { Assign(text); }

Text::Text(const Text &other) : m_data(0), m_length(0) {
    AssignBytes(other.m_data, other.m_length);
}

Text &Text::operator=(const Text &other) {
    if (this != &other) AssignBytes(other.m_data, other.m_length);
    return *this;
}

Text::~Text() { delete[] m_data; }

bool Text::Assign(const char *text) { return AssignBytes(text, text ? strlen(text) : 0); }

bool Text::AssignBytes(const void *data, size_t count) {
    // Copy first: data may point into this text.
    char *fresh = new char[count + 1];
    if (!fresh) {
        Clear();
        return false;
    }
    if (count) memcpy(fresh, data, count);
    fresh[count] = '\0';
    delete[] m_data;
    m_data = fresh;
    m_length = count;
    return true;
}

bool Text::Append(const char *text) {
    size_t add = text ? strlen(text) : 0;
    if (add == 0) return true;
    char *joined = new char[m_length + add + 1];
    if (!joined) return false;
    if (m_length) memcpy(joined, m_data, m_length);
    memcpy(joined + m_length, text, add + 1);
    delete[] m_data;
    m_data = joined;
    m_length += add;
    return true;
}

char *Text::Reserve(size_t count) {
    char *room = new char[count + 1];
    if (!room) {
        Clear();
        return 0;
    }
    memset(room, 0, count + 1);
    delete[] m_data;
    m_data = room;
    m_length = count;
    return m_data;
}

void Text::TrimAtNul() {
    if (m_data) m_length = strlen(m_data);
}

void Text::Clear() {
    delete[] m_data;
    m_data = 0;
    m_length = 0;
}
