#include "rom/output_policy.h"

#include "rom/image_file.h"
#include "rom/safety_copy.h"
#include "rom/whole_file.h"

namespace whoopline {

Failure refuseImageAsOutput(const QString &output, const QString &image)
{
    return Failure{QStringLiteral("The output %1 is the same file as the input %2: writing it "
                                  "would destroy that input. Choose another name for the output; "
                                  "nothing was written.")
                       .arg(quotedName(output), quotedName(image))};
}

Result<OutputTarget> checkOutputTarget(const QString &output, const QString &image,
                                       const QStringList &otherInputs)
{
    QStringList inputs = otherInputs;
    if (!image.isEmpty())
        inputs << safetyCopyPath(image);
    if (Status spared = checkOutputIsNoInput(output, inputs); !spared)
        return Failure{spared.error()};
    if (!image.isEmpty() && !checkOutputIsNoInput(output, {image}))
        return OutputTarget::Image;
    return OutputTarget::NewFile;
}

Status checkOutputSparesInputs(const QString &output, const QString &image,
                               const QStringList &otherInputs)
{
    const auto target = checkOutputTarget(output, image, otherInputs);
    if (!target)
        return Failure{target.error()};
    if (*target == OutputTarget::Image)
        return refuseImageAsOutput(output, image);
    return Success{};
}

} // namespace whoopline
