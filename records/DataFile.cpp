#include "records/DataFile.h"

namespace records {

DataFile::DataFile(app::PlayState& state, ui::MainControls& c, plat::Platform& platform, Settings& settings)
    : s_(state), C(c), platform_(platform), settings_(settings) {}
void DataFile::LoadDataFile() {}
void DataFile::SaveDataFile() {}
void DataFile::CloseDataFile() {}
void DataFile::Button2Click() {}
void DataFile::Button3Click() {}

}  // namespace records
