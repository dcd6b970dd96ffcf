#pragma once
// The mixin through which drawing code reaches the 2D drawing service;
// null when the service does not exist (tools and tests without it).
namespace Media {

class Direct2DService;

class Direct2DInstance {
public:
    Direct2DInstance();

protected:
    Direct2DService* direct2D;
};

}  // namespace Media
