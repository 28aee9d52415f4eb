#include "NavigationWorldTest.h"

#include <stdexcept>

void NavigationWorldTest::SetUp()
{
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    ASSERT_TRUE(world.init());
}

bool NavigationWorldTest::loadFloor(const Triangles& floor, const std::string& name)
{
    return loadFile(files.writeObj(name, floor));
}

bool NavigationWorldTest::loadFile(const std::string& path)
{
    return world.setNavigationMesh(path.c_str(), sceneManager(), game.device()->getVideoDriver());
}

irr::AI::AINavigationMesh& NavigationWorldTest::mesh()
{
    irr::AI::AINavigationMesh* navigationMesh = world.getNavigationMesh();
    if (!navigationMesh)
        throw std::runtime_error("the world has no navigation mesh");
    return *navigationMesh;
}

void NavigationWorldTest::expectLegsOnTheFloor(const irr::core::vector3df& start,
                                               const std::vector<RecordingReceiver::Update>& updates)
{
    irr::core::vector3df from = start;
    for (const RecordingReceiver::Update& update : updates)
    {
        const float legLength = from.getDistanceFrom(update.point);
        const int samples = static_cast<int>(legLength / 0.1f) + 1;
        for (int sample = 0; sample <= samples; ++sample)
        {
            const irr::core::vector3df onLeg =
                from + (update.point - from) * (static_cast<float>(sample) / samples);
            ASSERT_TRUE(mesh().isPointInsideNavigationMesh({onLeg.X, 1.0f, onLeg.Z}))
                << "leg to (" << update.point.X << ", " << update.point.Z << ") leaves the floor at ("
                << onLeg.X << ", " << onLeg.Z << ")";
        }
        from = update.point;
    }
}
