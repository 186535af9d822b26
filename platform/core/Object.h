#pragma once
// The common base of objects handed around without their type: update hints a document sends
// its views, and lists carried as such hints. A receiver tests the type with dynamic_cast.

class CObject {
public:
    virtual ~CObject() = default;
};
