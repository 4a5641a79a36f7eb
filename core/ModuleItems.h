#pragma once

namespace tarnwick {

// Module items that export and import recognise by their caption.
inline constexpr char ProjectInfoItem[] = "项目信息";
inline constexpr char ProjectMaterialsItem[] = "项目资料";
inline constexpr char SystemPersonnelItem[] = "系统人员";

} // namespace tarnwick
