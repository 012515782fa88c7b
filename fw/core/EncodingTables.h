#pragma once
// The ICU data package (common format) holding our own conversion tables,
// compiled from fw/core/tables/*.ucm at build time and linked in.
namespace fw {
const void* varnelEncodingData();
}
