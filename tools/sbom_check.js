// Checks CycloneDX 1.5 JSON documents with the CycloneDX library's strict validator (its JSON
// schema with no unknown properties, and the SPDX licence ids), one verdict per file.
//   NODE_PATH=FOLDER/node_modules node sbom_check.js FILE.cdx.json...
// FOLDER holds @cyclonedx/cyclonedx-library and the schema validator it loads (ajv and its
// formats), as scripts/release installs them.
'use strict'
const fs = require('fs')
const CDX = require('@cyclonedx/cyclonedx-library')

async function main (files) {
  // The schema's version, as the library names its versions.
  const validator = new CDX.Validation.JsonStrictValidator('1.5')
  let failed = 0
  for (const file of files) {
    const problem = await validator.validate(fs.readFileSync(file, 'utf8'))
    if (problem === null) {
      console.log(`${file}: valid CycloneDX 1.5`)
    } else {
      failed++
      console.error(`${file}: not valid CycloneDX 1.5: ${JSON.stringify(problem)}`)
    }
  }
  return failed === 0 ? 0 : 1
}

if (process.argv.length < 3) {
  console.error('usage: node sbom_check.js FILE.cdx.json...')
  process.exit(2)
}
main(process.argv.slice(2)).then(status => process.exit(status), error => {
  console.error(`sbom_check: ${error.message}`)
  process.exit(1)
})
